// The envelope barcode on paper: bars only, in the bottom right corner of the page, as a
// printout of one page titled "Single Barcode".
#pragma once

#include <string>
#include <utility>

#include "platform/Printout.h"

// Where the first bar stands and the baseline all bars share, in pixels of the printable
// area: 4 inches left of the paper's right edge and 1/4 inch above its bottom edge, both
// edges taken from the paper itself whatever the printer's margins.
DevicePoint EnvelopeBarcodeOrigin(const PrintSurface& surface);

// Draws one bar per letter of the pattern ("L" full bar, "S" half bar) from the origin.
void DrawEnvelopeBarcode(PrintSurface& surface, const std::string& barPattern);

class EnvelopePrintout : public Printout {
  public:
    explicit EnvelopePrintout(std::string barPattern) : barPattern_(std::move(barPattern)) {}

    std::string title() const override { return "Single Barcode"; }
    int pageCount(const PrintSurface&) const override { return 1; }
    void drawPage(PrintSurface& surface, int) const override {
        DrawEnvelopeBarcode(surface, barPattern_);
    }

  private:
    std::string barPattern_;
};

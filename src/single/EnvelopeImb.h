// The Intelligent Mail barcode on an envelope: 65 four-state bars drawn where the
// POSTNET bars go, in the barcode clear zone at the bottom right of the piece.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/Printout.h"

namespace marrowby {

// Draws one bar per letter (A ascender, D descender, F full bar, T tracker), 22 bars to
// the inch, 0.020 in wide, full bars 0.145 in tall, from the envelope barcode's origin:
// the first bar 4 inches left of the paper's right edge, the bottom of the full bars
// 1/4 inch above its bottom edge.
void DrawEnvelopeImb(PrintSurface& surface, const std::string& bars);

// One page titled "Single Barcode". The bars are asked for each time the page is drawn,
// so that every printed copy can carry its own serial number; startingJob, when given,
// runs before every printed job (never for a preview) to take that serial.
class ImbEnvelopePrintout : public Printout {
  public:
    explicit ImbEnvelopePrintout(std::function<std::string()> bars,
                                 std::function<void()> startingJob = {})
        : bars_(std::move(bars)), startingJob_(std::move(startingJob)) {}

    std::string title() const override { return "Single Barcode"; }
    int pageCount(const PrintSurface&) const override { return 1; }
    void drawPage(PrintSurface& surface, int) const override { DrawEnvelopeImb(surface, bars_()); }
    void startingJob() const override {
        if (startingJob_) startingJob_();
    }

  private:
    std::function<std::string()> bars_;
    std::function<void()> startingJob_;
};

}  // namespace marrowby

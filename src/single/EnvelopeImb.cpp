#include "single/EnvelopeImb.h"

#include "engine/MarrowbyError.h"
#include "platform/PrintSurface.h"
#include "single/EnvelopeBarcode.h"

namespace {

// Geometry in inches, at the middle of the tolerances for letters: pitch 1/22 (20 to 24
// bars per inch), bar width 0.015 to 0.025, full bar 0.125 to 0.165, tracker 0.039 to
// 0.057, ascender and descender reaching the same distance above and below it.
constexpr double kBarsPerInch = 22;
constexpr double kBarWidth = 0.020;
constexpr double kTracker = 0.048;
constexpr double kExtension = 0.0485;  // ascender above the tracker, descender below
constexpr double kFirstBarFromRight = 4.0;
constexpr double kBottomFromEdge = 0.25;

constexpr char kJobTitle[] = "Single Barcode";

int Pixels(double inches, int dpi) { return ToDevice(inches * dpi, 1.0); }

}  // namespace

void DrawEnvelopeImb(PrintSurface& surface, const std::string& bars) {
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const auto [right, bottom] = PaperCorner(surface);
    const int firstBar = right - Pixels(kFirstBarFromRight, dpiX);
    const int base = bottom - Pixels(kBottomFromEdge, dpiY);
    const int trackerLow = base - Pixels(kExtension, dpiY);
    const int trackerHigh = base - Pixels(kExtension + kTracker, dpiY);
    const int top = base - Pixels(2 * kExtension + kTracker, dpiY);

    surface.setPen(Pixels(kBarWidth, dpiX), PenStyle::Solid);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const char bar = bars[i];
        const int x = firstBar + Pixels(static_cast<double>(i) / kBarsPerInch, dpiX);
        const int low = bar == 'F' || bar == 'D' ? base : trackerLow;
        const int high = bar == 'F' || bar == 'A' ? top : trackerHigh;
        surface.line({x, low}, {x, high});
    }
    surface.setPen(1, PenStyle::Solid);
}

void PrintEnvelopeImb(PrintSurface& surface, const std::function<std::string()>& nextBars,
                      int copies) {
    for (int copy = 0; copy < copies; ++copy) {
        const std::string bars = nextBars();
        if (!surface.beginJob(kJobTitle))
            throw MarrowbyError("The printer could not start the document \"Single Barcode\".");
        DrawEnvelopeImb(surface, bars);
        surface.endJob();
    }
}

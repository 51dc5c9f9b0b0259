#include "single/EnvelopeImb.h"

#include "single/EnvelopeBarcode.h"

namespace {

// Geometry in inches, at the middle of the tolerances for letters: pitch 1/22 (20 to 24
// bars per inch), bar width 0.015 to 0.025, full bar 0.125 to 0.165, tracker 0.039 to
// 0.057, ascender and descender reaching the same distance above and below it.
constexpr double kBarsPerInch = 22;
constexpr double kBarWidth = 0.020;
constexpr double kTracker = 0.048;
constexpr double kExtension = 0.0485;  // ascender above the tracker, descender below

int Pixels(double inches, int dpi) { return ToDevice(inches * dpi, 1.0); }

}  // namespace

void DrawEnvelopeImb(PrintSurface& surface, const std::string& bars) {
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const DevicePoint origin = EnvelopeBarcodeOrigin(surface);
    const int trackerLow = origin.y - Pixels(kExtension, dpiY);
    const int trackerHigh = origin.y - Pixels(kExtension + kTracker, dpiY);
    const int top = origin.y - Pixels(2 * kExtension + kTracker, dpiY);

    surface.setPen(Pixels(kBarWidth, dpiX), PenStyle::Solid);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const char bar = bars[i];
        const int x = origin.x + Pixels(static_cast<double>(i) / kBarsPerInch, dpiX);
        const int low = bar == 'F' || bar == 'D' ? origin.y : trackerLow;
        const int high = bar == 'F' || bar == 'A' ? top : trackerHigh;
        surface.line({x, low}, {x, high});
    }
    surface.setPen(1, PenStyle::Solid);
}

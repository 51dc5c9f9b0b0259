#include "single/EnvelopeBarcode.h"

namespace {

// Bar geometry in points.
constexpr double FirstBarFromRight = 288;
constexpr double BaselineFromBottom = 18;
constexpr double Pitch = 3.25;
constexpr double BarWidth = 1.4;
constexpr double FullBarHeight = 9;
constexpr double HalfBarHeight = 3.6;

// Points times dots per inch stays exact, so a distance of exactly half a pixel
// really goes to the even neighbour.
int Pixels(double points, int dpi) { return ToDevice(points * dpi / 72.0, 1.0); }

}  // namespace

DevicePoint EnvelopeBarcodeOrigin(const PrintSurface& surface) {
    // The paper's edges in printable-area coordinates.
    const DevicePoint offset = surface.printingOffset();
    const int right = surface.paperWidth() - offset.x;
    const int bottom = surface.paperHeight() - offset.y;
    return {right - Pixels(FirstBarFromRight, surface.dpiX()),
            bottom - Pixels(BaselineFromBottom, surface.dpiY())};
}

void DrawEnvelopeBarcode(PrintSurface& surface, const std::string& barPattern) {
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const DevicePoint origin = EnvelopeBarcodeOrigin(surface);
    const int fullTop = origin.y - Pixels(FullBarHeight, dpiY);
    const int halfTop = origin.y - Pixels(HalfBarHeight, dpiY);

    surface.setPen(Pixels(BarWidth, dpiX), PenStyle::Solid);
    for (std::size_t i = 0; i < barPattern.size(); ++i) {
        const int x = origin.x + Pixels(static_cast<double>(i) * Pitch, dpiX);
        surface.line({x, origin.y}, {x, barPattern[i] == 'L' ? fullTop : halfTop});
    }
    surface.setPen(1, PenStyle::Solid);
}

#include "single/EnvelopeBarcode.h"

#include "engine/MarrowbyError.h"
#include "platform/PrintSurface.h"

namespace {

// Bar geometry in points.
constexpr double FirstBarFromRight = 288;
constexpr double BaselineFromBottom = 18;
constexpr double Pitch = 3.25;
constexpr double BarWidth = 1.4;
constexpr double FullBarHeight = 9;
constexpr double HalfBarHeight = 3.6;

constexpr char JobTitle[] = "Single Barcode";

// Points times dots per inch stays exact, so a distance of exactly half a pixel
// really goes to the even neighbour.
int Pixels(double points, int dpi) { return ToDevice(points * dpi / 72.0, 1.0); }

}  // namespace

DevicePoint PaperCorner(const PrintSurface& surface) {
    const DevicePoint offset = surface.printingOffset();
    return {surface.printableWidth() + offset.x, surface.printableHeight() + offset.y};
}

void DrawEnvelopeBarcode(PrintSurface& surface, const std::string& barPattern) {
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const auto [right, bottom] = PaperCorner(surface);

    const int firstBar = right - Pixels(FirstBarFromRight, dpiX);
    const int baseline = bottom - Pixels(BaselineFromBottom, dpiY);
    const int fullTop = bottom - Pixels(FullBarHeight, dpiY) - Pixels(BaselineFromBottom, dpiY);
    const int halfTop = bottom - Pixels(HalfBarHeight, dpiY) - Pixels(BaselineFromBottom, dpiY);

    surface.setPen(Pixels(BarWidth, dpiX), PenStyle::Solid);
    for (std::size_t i = 0; i < barPattern.size(); ++i) {
        const int x = firstBar + Pixels(static_cast<double>(i) * Pitch, dpiX);
        surface.line({x, baseline}, {x, barPattern[i] == 'L' ? fullTop : halfTop});
    }
    surface.setPen(1, PenStyle::Solid);
}

void PrintEnvelopeBarcode(PrintSurface& surface, const std::string& barPattern, int copies) {
    for (int copy = 0; copy < copies; ++copy) {
        if (!surface.beginJob(JobTitle))
            throw MarrowbyError("The printer could not start the document \"Single Barcode\".");
        DrawEnvelopeBarcode(surface, barPattern);
        surface.endJob();
    }
}

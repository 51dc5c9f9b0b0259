#include "tags/TrayLabelSymbol.h"

#include <vector>

#include "engine/Code128.h"

namespace marrowby {

namespace {

// Sizes in thousandths of an inch, from the tray label publication (USPS-L-3216).
constexpr int kModule = 15;
constexpr int kBarHeight = 720;
constexpr int kQuietZone = 10 * kModule;
constexpr int kFiguresGap = 30;

// Thousandths of an inch to whole device pixels, halves to the even neighbour, in whole
// numbers so that 4.5 pixels at 300 dpi never turns into 4.4999 and falls the other way.
int Pixels(long long thousandths, int dpi) {
    const long long product = thousandths * dpi;
    long long pixels = product / 1000;
    const long long rest = product % 1000;
    if (rest > 500 || (rest == 500 && pixels % 2 != 0)) ++pixels;
    return static_cast<int>(pixels);
}

// Each element is rounded on its own, as the tag's other bars are.
std::vector<int> ElementPixels(int dpiX, std::string_view digits) {
    std::vector<int> pixels;
    for (const int modules : Code128Widths(digits))
        pixels.push_back(Pixels(modules * kModule, dpiX));
    return pixels;
}

int Sum(const std::vector<int>& values) {
    int sum = 0;
    for (const int value : values) sum += value;
    return sum;
}

}  // namespace

int TrayLabelSymbolWidth(int dpiX, std::string_view digits) {
    return 2 * Pixels(kQuietZone, dpiX) + Sum(ElementPixels(dpiX, digits));
}

int TrayLabelFiguresTop(int dpiY) { return Pixels(kBarHeight + kFiguresGap, dpiY); }

void DrawTrayLabelSymbol(PrintSurface& surface, std::string_view digits, DevicePoint topLeft,
                         const TrayLabelFigures& figures) {
    const std::vector<int> elements = ElementPixels(surface.dpiX(), digits);
    const int barsLeft = topLeft.x + Pixels(kQuietZone, surface.dpiX());
    const int barsBottom = topLeft.y + Pixels(kBarHeight, surface.dpiY());

    surface.setFill(FillColor::Black);
    int x = barsLeft;
    for (size_t i = 0; i < elements.size(); ++i) {
        if (i % 2 == 0) surface.rectangle({x, topLeft.y}, {x + elements[i], barsBottom});
        x += elements[i];
    }
    surface.setFill(FillColor::White);

    const std::string text(digits);
    surface.setFont(figures.fontFamily, figures.pointSize);
    const int textLeft = barsLeft + (x - barsLeft - surface.textWidth(text)) / 2;
    surface.text({textLeft, topLeft.y + TrayLabelFiguresTop(surface.dpiY())}, text);
}

}  // namespace marrowby

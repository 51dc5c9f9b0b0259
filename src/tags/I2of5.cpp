#include "tags/I2of5.h"

#include <array>
#include <string>

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

constexpr std::array<std::string_view, 10> kDigitPatterns = {
    "NNWWN",  // 0
    "WNNNW",  // 1
    "NWNNW",  // 2
    "WWNNN",  // 3
    "NNWNW",  // 4
    "WNWNN",  // 5
    "NWWNN",  // 6
    "NNNWW",  // 7
    "WNNWN",  // 8
    "NWNWN",  // 9
};

constexpr double kNarrowPoints = 1;
constexpr double kWidePoints = 3;
constexpr double kBarHeightPoints = 52;

BarKind kindOf(char element) { return element == 'N' ? BarKind::Narrow : BarKind::Wide; }

int widthOf(const TagPageUnits& units, BarKind kind) {
    // Wide is rounded on its own, so it need not be exactly three narrow widths.
    return units.across(kind == BarKind::Narrow ? kNarrowPoints : kWidePoints);
}

void space(const TagPageUnits& units, BarKind kind, DevicePoint& position) {
    position.x += widthOf(units, kind);
}

}  // namespace

std::string_view barpattern(char digit) {
    if (digit < '0' || digit > '9') {
        throw MarrowbyError(std::string("'") + digit + "' cannot be drawn as a tag barcode digit");
    }
    return kDigitPatterns[digit - '0'];
}

void drawbar(PrintSurface& surface, const TagPageUnits& units, BarKind kind,
             DevicePoint& position) {
    const int width = widthOf(units, kind);
    surface.rectangle(position, {position.x + width, position.y + units.down(kBarHeightPoints)});
    position.x += width;
}

void drawbarcode(PrintSurface& surface, const TagPageUnits& units, std::string_view digits,
                 DevicePoint topLeft) {
    if (digits.size() % 2 != 0) {
        throw MarrowbyError("The tag barcode digits " + std::string(digits) +
                            " are not an even number of digits");
    }
    for (const char digit : digits) barpattern(digit);

    surface.setFill(FillColor::Black);
    DevicePoint position = topLeft;
    drawbar(surface, units, BarKind::Narrow, position);
    space(units, BarKind::Narrow, position);
    drawbar(surface, units, BarKind::Narrow, position);
    space(units, BarKind::Narrow, position);

    // Each pair: the first digit's pattern gives the bars, the second's the spaces between.
    for (size_t pair = 0; pair < digits.size(); pair += 2) {
        const std::string_view bars = barpattern(digits[pair]);
        const std::string_view spaces = barpattern(digits[pair + 1]);
        for (size_t element = 0; element < 5; ++element) {
            drawbar(surface, units, kindOf(bars[element]), position);
            space(units, kindOf(spaces[element]), position);
        }
    }

    drawbar(surface, units, BarKind::Wide, position);
    space(units, BarKind::Narrow, position);
    drawbar(surface, units, BarKind::Narrow, position);
    surface.setFill(FillColor::White);
}

}  // namespace marrowby

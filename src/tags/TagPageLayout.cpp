#include "tags/TagPageLayout.h"

#include <string>

#include "tags/I2of5.h"

namespace {

// Across, in points from a tag's left edge.
constexpr double kTrayTextX = 14.4;
constexpr double kTrayRightX = 239.04;
constexpr double kTraySymbolX = 15.48;
constexpr double kTrayStripesX = 132.48;
constexpr double kTrayDigitsX = 28.8;
constexpr double kTrayOriginCentreX = 162;
constexpr double kSackSymbolX = 12.24;
constexpr double kSackTextX = 105.84;
constexpr double kSackRightX = 233.28;
constexpr double kCutLineLength = 237.6;
constexpr double kCutLineHeight = 69;
constexpr double kCutWordX = 108;
constexpr int kCutWordSize = 8;

constexpr double kSymbolHeight = 52;

// Text with the top left of its character cell at the point.
void textAt(PrintSurface& surface, int x, int y, const std::string& text) {
    surface.text({x, y}, text);
}

void textRightAlignedTo(PrintSurface& surface, int x, int y, const std::string& text) {
    surface.text({x - surface.textWidth(text), y}, text);
}

void textCentredOn(PrintSurface& surface, int x, int y, const std::string& text) {
    surface.text({x - surface.textWidth(text) / 2, y}, text);
}

// Each step down is converted on its own and added to the running position, so the
// rounding of one step never shifts the steps before it.
void printTrayTag(PrintSurface& surface, const TagPageUnits& units, DevicePoint place,
                  const TagSheet& sheet, const TagValues& tag, const TagFonts& fonts) {
    const int x0 = place.x;
    int y = place.y + units.down(11);
    surface.setFont(fonts.family, fonts.trayUpper);
    textAt(surface, x0 + units.across(kTrayTextX), y, tag.placeText);
    surface.setFont(fonts.family, fonts.trayCorner);
    textRightAlignedTo(surface, x0 + units.across(kTrayRightX), y, tag.zipText);

    y += units.down(15);
    surface.setFont(fonts.family, fonts.trayUpper);
    textAt(surface, x0 + units.across(kTrayTextX), y, tag.secondLine);
    if (!tag.codeText.empty()) {
        // Set a little lower than the second line without moving what follows.
        surface.setFont(fonts.family, fonts.trayCorner);
        textRightAlignedTo(surface, x0 + units.across(kTrayRightX), y + units.down(6),
                           tag.codeText);
    }

    y += units.down(27);
    drawbarcode(surface, units, tag.barcodeDigits, {x0 + units.across(kTraySymbolX), y});
    if (sheet.automationStripes) {
        drawstripes(surface, units,
                    {x0 + units.across(kTrayStripesX), y + units.down(kSymbolHeight)});
    }

    y += units.down(65);
    surface.setFont(fonts.family, fonts.trayBottom);
    textAt(surface, x0 + units.across(kTrayDigitsX), y, tag.barcodeDigits);
    textCentredOn(surface, x0 + units.across(kTrayOriginCentreX), y, sheet.origin);
}

void printSackTag(PrintSurface& surface, const TagPageUnits& units, DevicePoint place,
                  const TagSheet& sheet, const TagValues& tag, const TagFonts& fonts) {
    const int x0 = place.x;
    int y = place.y + units.down(4);
    drawbarcode(surface, units, tag.barcodeDigits,
                {x0 + units.across(kSackSymbolX), y + units.down(5)});

    y += units.down(9);
    surface.setFont(fonts.family, fonts.sackText);
    textAt(surface, x0 + units.across(kSackTextX), y, tag.placeText);
    surface.setFont(fonts.family, fonts.sackCorner);
    textRightAlignedTo(surface, x0 + units.across(kSackRightX), y, tag.zipText);

    y += units.down(13);
    surface.setFont(fonts.family, fonts.sackText);
    textAt(surface, x0 + units.across(kSackTextX), y, tag.secondLine);
    if (!tag.codeText.empty()) {
        // The code text sits 7 points lower; all below it moves down by 2 points in all.
        y += units.down(7);
        surface.setFont(fonts.family, fonts.sackCorner);
        textRightAlignedTo(surface, x0 + units.across(kSackRightX), y, tag.codeText);
        y -= units.down(5);
    }

    y += units.down(27);
    surface.setFont(fonts.family, fonts.sackText);
    textAt(surface, x0 + units.across(kSackTextX), y, sheet.origin);

    // The cut line frames the tag's bottom and right edges only.
    y += units.down(16);
    const int right = x0 + units.across(kCutLineLength);
    surface.setPen(1, PenStyle::Dotted);
    surface.line({x0, y}, {right, y});
    surface.line({right, y}, {right, y - units.down(kCutLineHeight)});
    surface.setPen(1, PenStyle::Solid);

    y += units.down(5);
    surface.setFont(fonts.family, kCutWordSize);
    textAt(surface, x0 + units.across(kCutWordX), y, "cut");
}

}  // namespace

DevicePoint TagPlace(int n, const TagPageUnits& units, DevicePoint printingOffset) {
    const int left = units.across(n % 2 == 1 ? 54 : 306) - printingOffset.x;
    // The first row moves down when half an inch from the top is outside the printable area.
    const int firstRow = units.down(36);
    const int top = printingOffset.y <= firstRow ? firstRow - printingOffset.y
                                                 : units.down(180) - printingOffset.y;
    return {left, top + units.down(144) * ((n - 1) / 2)};
}

void drawstripes(PrintSurface& surface, const TagPageUnits& units, DevicePoint base) {
    surface.setFill(FillColor::Black);
    const int top = base.y - units.down(23);
    int x = base.x;
    for (int stripe = 0; stripe < 4; ++stripe) {
        surface.polygon({{x, base.y},
                         {x + units.across(12), top},
                         {x + units.across(24), top},
                         {x + units.across(12), base.y}});
        x += units.across(24);
    }
    surface.setFill(FillColor::White);
}

void printtags(PrintSurface& surface, const TagSheet& sheet, const TagFonts& fonts) {
    const TagPageUnits units = TagPageUnits::of(surface);
    const DevicePoint offset = surface.printingOffset();
    surface.setPen(1, PenStyle::Solid);
    for (int n = 1; n <= 10; ++n) {
        const std::optional<TagValues>& tag = sheet.tags[n - 1];
        if (!tag) continue;
        const DevicePoint place = TagPlace(n, units, offset);
        if (sheet.kind == TagKind::Tray) {
            printTrayTag(surface, units, place, sheet, *tag, fonts);
        } else {
            printSackTag(surface, units, place, sheet, *tag, fonts);
        }
    }
}

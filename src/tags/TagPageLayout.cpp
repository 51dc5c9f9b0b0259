#include "tags/TagPageLayout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tags/I2of5.h"
#include "tags/TrayLabelSymbol.h"

namespace marrowby {

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
constexpr double kCutLineWidth = 0.5;
constexpr double kCutWordX = 108;
constexpr int kCutWordSize = 8;

// Down, in points: the steps of the running position on each kind of tag.
constexpr double kTrayFirstLine = 11;
constexpr double kTraySecondLine = 15;
constexpr double kTrayCodeDrop = 6;
constexpr double kTraySymbol = 27;
constexpr double kTrayBottomLine = 65;
constexpr double kSackTop = 4;
constexpr double kSackSymbolDrop = 5;
constexpr double kSackFirstLine = 9;
constexpr double kSackSecondLine = 13;
constexpr double kSackCodeDrop = 7;
constexpr double kSackCodeRise = 5;
constexpr double kSackOrigin = 27;
constexpr double kSackCutLine = 16;
constexpr double kSackCutWord = 5;

constexpr double kSymbolHeight = 52;

// The 24-digit label: its left quiet zone starts at the tray tag's text margin, or where
// the sack tag's symbol starts; so both quiet zones stay inside the tag (2.805 in of
// 3.5 in). On a sack tag it stands where the cut line was and takes 66 points down to
// the figures' foot, where the cut line now runs.
constexpr double kTrayLabelX = kTrayTextX;
constexpr double kSackLabelDepth = 66;
// The figures keep to the bottom line's size up to 10 points, which still clears the
// bottom line 11 points below their top.
constexpr int kLargestFiguresSize = 10;
// The character cell is a little taller than the size for the faces tags are printed in.
constexpr double kCellHeightPerPoint = 1.2;

void dropLastCharacter(std::string& text) {
    // UTF-8: continuation bytes are 10xxxxxx; a character ends with its lead byte removed.
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) break;
    }
}

// Sets the font for the text and returns the text as it fits `room` pixels: at its own
// size when it fits, else at the largest smaller size that fits down to the smallest,
// else at the smallest size cut at the end.
std::string fitted(PrintSurface& surface, const std::string& family, int size,
                   const std::string& text, int room) {
    surface.setFont(family, size);
    if (surface.textWidth(text) <= room) return text;
    const int smallest = std::min(size, kSmallestTagTextSize);
    for (int smaller = size - 1; smaller >= smallest; --smaller) {
        surface.setFont(family, smaller);
        if (surface.textWidth(text) <= room) return text;
    }
    std::string cut = text;
    while (!cut.empty() && surface.textWidth(cut) > room) dropLastCharacter(cut);
    return cut;
}

// The blank kept between a line and the corner text beside it: one space of the line.
int gapBefore(PrintSurface& surface, const std::string& family, int size) {
    surface.setFont(family, size);
    return surface.textWidth(" ");
}

// A line with its left edge at `left`, kept short of `limit`.
void lineText(PrintSurface& surface, const std::string& family, int size, DevicePoint at, int limit,
              const std::string& text) {
    surface.text(at, fitted(surface, family, size, text, limit - at.x));
}

// A text right-aligned to `right` and kept right of `left`; returns its left edge.
int cornerText(PrintSurface& surface, const std::string& family, int size, int left,
               DevicePoint rightEnd, const std::string& text) {
    const std::string shown = fitted(surface, family, size, text, rightEnd.x - left);
    const int x = rightEnd.x - surface.textWidth(shown);
    surface.text({x, rightEnd.y}, shown);
    return x;
}

TrayLabelFigures figuresOf(const TagFonts& fonts, int size) {
    return {fonts.family, std::min(size, kLargestFiguresSize)};
}

// Each step down is converted on its own and added to the running position, so the
// rounding of one step never shifts the steps before it.

void printTrayTag(PrintSurface& surface, const TagPageUnits& units, DevicePoint place,
                  const TagSheet& sheet, const TagValues& tag, const TagFonts& fonts,
                  const std::string& label) {
    const std::string& family = fonts.family;
    const int x0 = place.x;
    const int left = x0 + units.across(kTrayTextX);
    const int right = x0 + units.across(kTrayRightX);
    const int gap = gapBefore(surface, family, fonts.trayUpper);

    int y = place.y + units.down(kTrayFirstLine);
    const int zipLeft =
        cornerText(surface, family, fonts.trayCorner, left, {right, y}, tag.zipText);
    lineText(surface, family, fonts.trayUpper, {left, y}, zipLeft - gap, tag.placeText);

    y += units.down(kTraySecondLine);
    int secondLineLimit = right;
    if (!tag.codeText.empty()) {
        // Set a little lower than the second line without moving what follows.
        secondLineLimit = cornerText(surface, family, fonts.trayCorner, left,
                                     {right, y + units.down(kTrayCodeDrop)}, tag.codeText) -
                          gap;
    }
    lineText(surface, family, fonts.trayUpper, {left, y}, secondLineLimit, tag.secondLine);

    y += units.down(kTraySymbol);
    if (!label.empty()) {
        DrawTrayLabelSymbol(surface, label, {x0 + units.across(kTrayLabelX), y},
                            figuresOf(fonts, fonts.trayBottom));
    } else {
        drawbarcode(surface, units, tag.barcodeDigits, {x0 + units.across(kTraySymbolX), y});
        if (sheet.automationStripes) {
            drawstripes(surface, units,
                        {x0 + units.across(kTrayStripesX), y + units.down(kSymbolHeight)});
        }
    }

    y += units.down(kTrayBottomLine);
    // Left of the origin: the digits and a space, or with a label only the text margin.
    int originLeftLimit = left;
    if (label.empty()) {
        const int digitsLeft = x0 + units.across(kTrayDigitsX);
        const std::string digits =
            fitted(surface, family, fonts.trayBottom, tag.barcodeDigits, right - digitsLeft);
        surface.text({digitsLeft, y}, digits);
        const int digitsRight = digitsLeft + surface.textWidth(digits);
        originLeftLimit = digitsRight + gapBefore(surface, family, fonts.trayBottom);
    }
    // The origin stays centred, clear of the digits on its left and the tag's right edge.
    const int centre = x0 + units.across(kTrayOriginCentreX);
    const int room = 2 * std::min(centre - originLeftLimit, right - centre);
    const std::string origin = fitted(surface, family, fonts.trayBottom, sheet.origin, room);
    surface.text({centre - surface.textWidth(origin) / 2, y}, origin);
}

void printSackTag(PrintSurface& surface, const TagPageUnits& units, DevicePoint place,
                  const TagSheet& sheet, const TagValues& tag, const TagFonts& fonts,
                  const std::string& label) {
    const std::string& family = fonts.family;
    const int x0 = place.x;
    const int left = x0 + units.across(kSackTextX);
    const int right = x0 + units.across(kSackRightX);
    const int gap = gapBefore(surface, family, fonts.sackText);

    int y = place.y + units.down(kSackTop);
    if (label.empty()) {
        drawbarcode(surface, units, tag.barcodeDigits,
                    {x0 + units.across(kSackSymbolX), y + units.down(kSackSymbolDrop)});
    }

    y += units.down(kSackFirstLine);
    const int zipLeft =
        cornerText(surface, family, fonts.sackCorner, left, {right, y}, tag.zipText);
    lineText(surface, family, fonts.sackText, {left, y}, zipLeft - gap, tag.placeText);

    y += units.down(kSackSecondLine);
    const int secondLineY = y;
    int secondLineLimit = right;
    if (!tag.codeText.empty()) {
        // The code text sits 7 points lower; all below it moves down by 2 points in all.
        y += units.down(kSackCodeDrop);
        secondLineLimit =
            cornerText(surface, family, fonts.sackCorner, left, {right, y}, tag.codeText) - gap;
        y -= units.down(kSackCodeRise);
    }
    lineText(surface, family, fonts.sackText, {left, secondLineY}, secondLineLimit, tag.secondLine);

    y += units.down(kSackOrigin);
    lineText(surface, family, fonts.sackText, {left, y}, right, sheet.origin);

    // The cut line frames the tag's bottom and right edges only; half a point at least,
    // so that it shows at any resolution.
    y += units.down(kSackCutLine);
    int cutHeight = units.down(kCutLineHeight);
    if (!label.empty()) {
        DrawTrayLabelSymbol(surface, label, {x0 + units.across(kSackSymbolX), y},
                            figuresOf(fonts, fonts.sackText));
        y += units.down(kSackLabelDepth);
        cutHeight += units.down(kSackLabelDepth);
    }
    const int cutRight = x0 + units.across(kCutLineLength);
    const int cutWidth =
        std::max(1, static_cast<int>(std::ceil(kCutLineWidth * std::max(units.HU, units.VU))));
    surface.setPen(cutWidth, PenStyle::Dotted);
    surface.line({x0, y}, {cutRight, y});
    surface.line({cutRight, y}, {cutRight, y - cutHeight});
    surface.setPen(1, PenStyle::Solid);

    y += units.down(kSackCutWord);
    surface.setFont(family, kCutWordSize);
    surface.text({x0 + units.across(kCutWordX), y}, "cut");
}

// How far below its place's top a tag's lowest text reaches, in pixels; a sack tag is
// taken with a code text, which moves its lower lines down.
int tagDepth(const TagPageUnits& units, TagKind kind, const TagFonts& fonts, bool labels) {
    if (kind == TagKind::Tray) {
        return units.down(kTrayFirstLine) + units.down(kTraySecondLine) + units.down(kTraySymbol) +
               units.down(kTrayBottomLine) + units.down(kCellHeightPerPoint * fonts.trayBottom);
    }
    return units.down(kSackTop) + units.down(kSackFirstLine) + units.down(kSackSecondLine) +
           units.down(kSackCodeDrop) - units.down(kSackCodeRise) + units.down(kSackOrigin) +
           units.down(kSackCutLine) + (labels ? units.down(kSackLabelDepth) : 0) +
           units.down(kSackCutWord) + units.down(kCellHeightPerPoint * kCutWordSize);
}

bool rowHasTag(const TagSheet& sheet, int row) {
    return sheet.tags[2 * row] || sheet.tags[2 * row + 1];
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

TagSheetPaging PageTagSheet(const PrintSurface& surface, const TagSheet& sheet,
                            const TagFonts& fonts, const TrayLabelPlaces* labels) {
    const TagPageUnits units = TagPageUnits::of(surface);
    const DevicePoint offset = surface.printingOffset();
    const int depth = tagDepth(units, sheet.kind, fonts, labels != nullptr);
    TagSheetPaging paging;
    paging.rowsPerPage = 1;
    while (paging.rowsPerPage < 5 &&
           TagPlace(2 * paging.rowsPerPage + 1, units, offset).y + depth <=
               surface.printableHeight()) {
        ++paging.rowsPerPage;
    }
    for (int first = 0; first < 5; first += paging.rowsPerPage) {
        for (int row = first; row < std::min(5, first + paging.rowsPerPage); ++row) {
            if (rowHasTag(sheet, row)) {
                paging.firstRows.push_back(first);
                break;
            }
        }
    }
    if (paging.firstRows.empty()) paging.firstRows.push_back(0);
    return paging;
}

void printtags(PrintSurface& surface, const TagSheet& sheet, const TagFonts& fonts, int firstRow,
               int rows, const TrayLabelPlaces* labels) {
    const TagPageUnits units = TagPageUnits::of(surface);
    const DevicePoint offset = surface.printingOffset();
    surface.setPen(1, PenStyle::Solid);
    for (int row = firstRow; row < std::min(5, firstRow + rows); ++row) {
        for (int column = 0; column < 2; ++column) {
            const std::optional<TagValues>& tag = sheet.tags[2 * row + column];
            if (!tag) continue;
            const DevicePoint place = TagPlace(2 * (row - firstRow) + column + 1, units, offset);
            const std::string label = labels ? (*labels)[2 * row + column] : std::string();
            if (sheet.kind == TagKind::Tray) {
                printTrayTag(surface, units, place, sheet, *tag, fonts, label);
            } else {
                printSackTag(surface, units, place, sheet, *tag, fonts, label);
            }
        }
    }
}

}  // namespace marrowby

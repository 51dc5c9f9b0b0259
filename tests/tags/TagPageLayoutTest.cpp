// The sheet of tags in printer pixels: places with printing offsets, every call of the
// tray and sack layouts and of both tag symbols at 300 and 600 dpi against the drawings of
// tests/data/tags, and rows that fall below the printable area moved to further pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawingCases.h"
#include "ErrorOf.h"
#include "RecordingPrintSurface.h"
#include "tags/I2of5.h"
#include "tags/TagPageLayout.h"
#include "tags/TrayLabelSymbol.h"

namespace marrowby {

namespace {

// Distinct sizes, so that a line set in another line's size shows.
const TagFonts kFonts{"Arial", 12, 14, 10, 11, 13};

TagValues Tag(TagKind kind, std::string code = "") {
    if (kind == TagKind::Tray) return {"DALLAS TX", "75201", "FC LTR 3D MACH", code, "7520125007"};
    return {"DALLAS TX", "75201", "STD FLTS 3D", code, "75201000"};
}

}  // namespace

TEST(TagPageLayout, PlacesInTwoColumnsOfFiveMovedByThePrintingOffset) {
    for (const auto& row : CaseRows("tags/tag-places.tsv")) {
        SCOPED_TRACE("row " + row[0]);
        const int dpi = std::stoi(row[1]);
        const DevicePoint offset = Point(row[2]);
        const RecordingPrintSurface surface(dpi, dpi, offset);
        const int left = std::stoi(row[3]), right = std::stoi(row[4]), top = std::stoi(row[5]);
        for (int n = 1; n <= 10; ++n) {
            const DevicePoint expected{n % 2 == 1 ? left : right, top + 2 * dpi * ((n - 1) / 2)};
            EXPECT_EQ(TagPlace(n, TagPageUnits::of(surface), offset), expected) << "place " << n;
        }
    }
}

// One tag on a sheet, with long lines where the case gives them; "only=text" compares the
// text calls alone.
TEST(TagPageLayout, EveryCallOfATagAsTheGoldenFileHasIt) {
    for (const DrawingCase& c : DrawingCases("tags/tag-layout.txt")) {
        const TagKind kind = c.get("kind") == "tray" ? TagKind::Tray : TagKind::Sack;
        TagSheet sheet;
        sheet.kind = kind;
        sheet.automationStripes = c.get("stripes") == "yes";
        sheet.origin = c.get("origin", "ORIGIN CITY TX");
        TagValues& tag =
            sheet.tags[std::stoi(c.get("place", "1")) - 1].emplace(Tag(kind, c.get("code")));
        tag.placeText = c.get("destination", tag.placeText);
        const int dpi = std::stoi(c.get("dpi", "300"));
        RecordingPrintSurface surface(dpi, dpi, Point(c.get("offset", "0,0")));
        surface.beginJob("test");
        printtags(surface, sheet, kFonts);
        std::vector<std::string> drawn = DrawnLines(surface.jobs.back().calls);
        if (c.get("only") == "text")
            std::erase_if(drawn, [](const std::string& line) { return !line.starts_with("text"); });
        ExpectDrawing(c, drawn);
    }
}

// Rows that would reach below the printable area go on following pages, in the places of
// the first rows; pages without a tag are left out.
TEST(TagPageLayout, RowsBelowThePrintableAreaFollowOnAnotherPage) {
    for (const auto& row : CaseRows("tags/tag-paging.tsv")) {
        SCOPED_TRACE("row " + row[0]);
        const TagKind kind = row[1] == "tray" ? TagKind::Tray : TagKind::Sack;
        RecordingPrintSurface surface(300, 300, Point(row[2]));
        surface.farMargins = Point(row[3]);
        TagSheet sheet;
        sheet.kind = kind;
        std::istringstream filled(row[4]);
        for (int n; filled >> n;) sheet.tags[n - 1] = Tag(kind);
        const TagSheetPaging paging = PageTagSheet(surface, sheet, kFonts);
        EXPECT_EQ(paging.rowsPerPage, std::stoi(row[5]));
        std::ostringstream firstRows;
        for (const int first : paging.firstRows)
            firstRows << (firstRows.tellp() ? " " : "") << first;
        EXPECT_EQ(firstRows.str(), row[6]);
    }
}

// A refusal is the line "error <message>" after whatever was drawn before it.
TEST(TagSymbols, EveryBarAsTheGoldenFileHasIt) {
    for (const DrawingCase& c : DrawingCases("tags/tag-symbols.txt")) {
        const int dpi = std::stoi(c.get("dpi"));
        const std::string digits = c.get("digits");
        RecordingPrintSurface surface(dpi, dpi, {0, 0});
        surface.beginJob("test");
        const std::string refused = ErrorOf([&] {
            if (c.get("symbol") == "i2of5")
                drawbarcode(surface, TagPageUnits::of(surface), digits, {100, 200});
            else
                DrawTrayLabelSymbol(surface, digits, {100, 200}, {"Arial", 10});
        });
        std::vector<std::string> lines = DrawnLines(surface.jobs.back().calls);
        if (!refused.empty()) lines.push_back("error " + refused);
        lines.push_back(surface.state.fill == FillColor::White ? "fill white" : "fill black");
        if (c.get("symbol") == "tray24") {
            lines.push_back(ValueOrError(
                [&] { return "width " + std::to_string(TrayLabelSymbolWidth(dpi, digits)); },
                "error "));
        }
        ExpectDrawing(c, lines);
    }
}

}  // namespace marrowby

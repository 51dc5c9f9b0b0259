// The sheet of tags in printer pixels: places with printing offsets, the tray and sack
// layouts step by step at 300 and 600 dpi, stripes, cut lines and blank places.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPrintSurface.h"
#include "tags/TagPageLayout.h"

namespace {

TagValues trayTag(std::string code = "") {
    return {"DALLAS TX", "75201", "FC LTR 3D MACH", std::move(code), "7520125007"};
}

TagValues sackTag(std::string code = "") {
    return {"DALLAS TX", "75201", "STD FLTS 3D", std::move(code), "75201000"};
}

std::vector<DrawCall> printSheet(int dpi, DevicePoint offset, TagKind kind, int place,
                                 const TagValues& tag, bool stripes = false) {
    TagSheet sheet;
    sheet.kind = kind;
    sheet.automationStripes = stripes;
    sheet.origin = "ORIGIN CITY TX";
    sheet.tags[place - 1] = tag;
    RecordingPrintSurface surface(dpi, dpi, offset);
    surface.beginJob("test");
    printtags(surface, sheet, TagFonts{"Arial", 12, 14, 10, 11, 13});
    return surface.jobs.back().calls;
}

std::vector<const DrawCall*> callsOf(const std::vector<DrawCall>& calls, DrawCall::Kind kind) {
    std::vector<const DrawCall*> found;
    for (const DrawCall& call : calls) {
        if (call.kind == kind) found.push_back(&call);
    }
    return found;
}

enum Align { Left, Right, Centre };

struct TextStep {
    const char* text;
    int x;  // the edge or centre of the text the alignment names
    int y;
    int size;
    Align align = Left;
};

void expectTexts(const std::vector<DrawCall>& calls, int dpi, const std::vector<TextStep>& steps) {
    for (const TextStep& step : steps) {
        SCOPED_TRACE(step.text);
        const DrawCall* call = nullptr;
        for (const DrawCall* text : callsOf(calls, DrawCall::Text)) {
            if (text->text == step.text) call = text;
        }
        ASSERT_NE(call, nullptr);
        // The recording surface makes a character a tenth of the font size in inches wide.
        const int width = static_cast<int>(std::string(step.text).size()) * step.size * dpi / 720;
        const int left = step.align == Left    ? step.x
                         : step.align == Right ? step.x - width
                                               : step.x - width / 2;
        EXPECT_EQ(call->points[0], (DevicePoint{left, step.y}));
        EXPECT_EQ(call->fontSize, step.size);
        EXPECT_EQ(call->fontFamily, "Arial");
        EXPECT_EQ(call->penStyle, PenStyle::Solid);
    }
}

}  // namespace

TEST(TagPageLayout, PlacesInTwoColumnsOfFiveMovedByThePrintingOffset) {
    struct Case {
        int dpi;
        DevicePoint offset;
        int left, right, top, rowStep;
    };
    const Case cases[] = {
        {300, {0, 0}, 225, 1275, 150, 600},
        {300, {75, 75}, 150, 1200, 75, 600},    // a quarter inch
        {300, {0, 150}, 225, 1275, 0, 600},     // exactly half an inch still fits
        {300, {30, 160}, 195, 1245, 590, 600},  // lower: first row at 2.5 inches
        {600, {0, 0}, 450, 2550, 300, 1200},
        {600, {150, 150}, 300, 2400, 150, 1200},  // a quarter inch
        {600, {100, 320}, 350, 2450, 1180, 1200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, offset " + std::to_string(c.offset.x) + "," +
                     std::to_string(c.offset.y));
        RecordingPrintSurface surface(c.dpi, c.dpi, c.offset);
        for (int n = 1; n <= 10; ++n) {
            const DevicePoint expected{n % 2 == 1 ? c.left : c.right,
                                       c.top + c.rowStep * ((n - 1) / 2)};
            EXPECT_EQ(TagPlace(n, TagPageUnits::of(surface), c.offset), expected) << "place " << n;
        }
    }
}

using Shapes = std::vector<std::vector<DevicePoint>>;

// Four automation stripes leaning right, the first foot at (x, base), all tops at top.
Shapes stripes(int x, int base, int top, int step, int width) {
    Shapes shapes;
    for (int i = 0; i < 4; ++i, x += step) {
        shapes.push_back({{x, base}, {x + width, top}, {x + 2 * width, top}, {x + width, base}});
    }
    return shapes;
}

// The dotted cut lines of a sack tag: along the bottom, then up the right edge.
Shapes cutLines(int left, int y, int right, int top) {
    return {{{left, y}, {right, y}}, {{right, y}, {right, top}}};
}

// Tray tags carry stripes; on sack tags a code text moves everything below it 2 points down.
TEST(TagPageLayout, TagsStepByStep) {
    struct Case {
        TagKind kind;
        int dpi;
        const char* code;
        std::vector<TextStep> texts;
        DevicePoint symbol;
        Shapes marks;  // stripes on a tray tag, cut lines on a sack tag
    };
    using enum TagKind;
    // clang-format off
    const Case cases[] = {
        {Tray, 300, "R001", {{"DALLAS TX", 285, 196, 12}, {"75201", 1221, 196, 14, Right},
                             {"FC LTR 3D MACH", 285, 258, 12}, {"R001", 1221, 283, 14, Right},
                             {"7520125007", 345, 641, 10},
                             {"ORIGIN CITY TX", 900, 641, 10, Centre}},
         {289, 370}, stripes(777, 587, 491, 100, 50)},
        {Tray, 600, "R001", {{"DALLAS TX", 570, 392, 12}, {"75201", 2442, 392, 14, Right},
                             {"FC LTR 3D MACH", 570, 517, 12}, {"R001", 2442, 567, 14, Right},
                             {"7520125007", 690, 1284, 10},
                             {"ORIGIN CITY TX", 1800, 1284, 10, Centre}},
         {579, 742}, stripes(1554, 1175, 983, 200, 100)},
        {Sack, 300, "", {{"DALLAS TX", 666, 204, 11}, {"75201", 1197, 204, 13, Right},
                         {"STD FLTS 3D", 666, 258, 11}, {"ORIGIN CITY TX", 666, 370, 11},
                         {"cut", 675, 458, 8}},
         {276, 188}, cutLines(225, 437, 1215, 150)},
        {Sack, 300, "R001", {{"STD FLTS 3D", 666, 258, 11}, {"R001", 1197, 287, 13, Right},
                             {"ORIGIN CITY TX", 666, 378, 11}, {"cut", 675, 466, 8}},
         {276, 188}, cutLines(225, 445, 1215, 158)},
        {Sack, 600, "", {{"DALLAS TX", 1332, 408, 11}, {"75201", 2394, 408, 13, Right},
                         {"STD FLTS 3D", 1332, 516, 11}, {"ORIGIN CITY TX", 1332, 741, 11},
                         {"cut", 1350, 916, 8}},
         {552, 375}, cutLines(450, 874, 2430, 299)},
        {Sack, 600, "R001", {{"R001", 2394, 574, 13, Right}, {"ORIGIN CITY TX", 1332, 757, 11},
                             {"cut", 1350, 932, 8}},
         {552, 375}, cutLines(450, 890, 2430, 315)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, code '" + c.code + "'");
        const TagValues tag = c.kind == Tray ? trayTag(c.code) : sackTag(c.code);
        const auto calls = printSheet(c.dpi, {0, 0}, c.kind, 1, tag, true);
        expectTexts(calls, c.dpi, c.texts);
        EXPECT_EQ(callsOf(calls, DrawCall::Rectangle).at(0)->points[0], c.symbol);
        // Stripes are filled black; cut lines dotted and at least half a point wide (3 pixels
        // at 300 dpi, 5 at 600); a sack tag has no stripes.
        EXPECT_EQ(callsOf(calls, c.kind == Tray ? DrawCall::Line : DrawCall::Polygon).size(), 0u);
        Shapes marks;
        for (const DrawCall* mark :
             callsOf(calls, c.kind == Tray ? DrawCall::Polygon : DrawCall::Line)) {
            marks.push_back(mark->points);
            EXPECT_TRUE(c.kind == Tray ? mark->fill == FillColor::Black
                                       : mark->penStyle == PenStyle::Dotted);
            if (c.kind == Sack) {
                EXPECT_EQ(mark->penWidth, c.dpi == 300 ? 3 : 5);
            }
        }
        EXPECT_EQ(marks, c.marks);
    }
    // A tray sheet without automation has no stripes.
    EXPECT_TRUE(callsOf(printSheet(300, {0, 0}, Tray, 3, trayTag()), DrawCall::Polygon).empty());
}

TEST(TagPageLayout, OneFilledTagLeavesEveryOtherPlaceBlank) {
    // Tag 2 alone, a quarter-inch printing offset: everything lands in the upper right place.
    for (const TagKind kind : {TagKind::Tray, TagKind::Sack}) {
        const TagValues tag = kind == TagKind::Tray ? trayTag("R001") : sackTag("R001");
        const auto calls = printSheet(300, {75, 75}, kind, 2, tag, true);
        ASSERT_FALSE(calls.empty());
        for (const DrawCall& call : calls) {
            for (const DevicePoint& point : call.points) {
                EXPECT_TRUE(point.x >= 1200 && point.x < 2200 && point.y >= 75 && point.y < 675)
                    << call.text << " at " << point.x << "," << point.y;
            }
        }
    }
}

// On the recording surface a character is size x 5/12 pixels wide at 300 dpi, so the room
// of each line is known: 500 pixels for a sack destination beside its ZIP, 531 for a sack
// origin, 902 for a tray destination and 642 for the centred tray origin.
TEST(TagPageLayout, LongLinesAreSetSmallerDownToSixPointsThenCut) {
    struct Case {
        TagKind kind;
        bool origin;  // the origin line, else the destination
        std::string text;
        int size;
        size_t shownBytes;
    };
    const std::string e = "\xC3\x89";  // two bytes, one character
    auto times = [](const std::string& unit, int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += unit;
        return text;
    };
    using enum TagKind;
    const Case cases[] = {
        {Sack, false, times("W", 109), 11, 109}, {Sack, false, times("W", 115), 10, 115},
        {Sack, false, times("W", 200), 6, 200},  {Sack, false, times("W", 250), 6, 200},
        {Sack, false, times(e, 250), 6, 200},  // cut between characters, never inside one
        {Sack, true, times("W", 116), 11, 116},  {Sack, true, times("W", 117), 10, 117},
        {Tray, false, times("W", 180), 12, 180}, {Tray, false, times("W", 181), 11, 181},
        {Tray, true, times("W", 154), 10, 154},  {Tray, true, times("W", 155), 9, 155},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.kind == Tray ? "tray " : "sack ")
                     << (c.origin ? "origin " : "destination ") << c.text.size() << " bytes");
        TagSheet sheet;
        sheet.kind = c.kind;
        sheet.origin = c.origin ? c.text : "ORIGIN";
        const TagValues tag = c.kind == Tray ? trayTag("R001") : sackTag("R001");
        sheet.tags[0] = tag;
        if (!c.origin) sheet.tags[0]->placeText = c.text;
        RecordingPrintSurface surface(300, 300, {0, 0});
        surface.beginJob("test");
        printtags(surface, sheet, TagFonts{"Arial", 12, 14, 10, 11, 13});
        bool found = false;
        for (const DrawCall& call : surface.jobs[0].calls) {
            if (call.kind != DrawCall::Text || call.text.substr(0, 2) != c.text.substr(0, 2))
                continue;
            found = true;
            EXPECT_EQ(call.fontSize, c.size);
            EXPECT_EQ(call.text, c.text.substr(0, c.shownBytes));
        }
        EXPECT_TRUE(found);
        // The neighbours print as they always do.
        expectTexts(surface.jobs[0].calls, 300,
                    c.kind == Tray ? std::vector<TextStep>{{"75201", 1221, 196, 14, Right},
                                                           {"7520125007", 345, 641, 10}}
                                   : std::vector<TextStep>{{"75201", 1197, 204, 13, Right},
                                                           {"R001", 1197, 287, 13, Right}});
    }
}

// Rows that would reach below the printable area go on following pages, in the places of
// the first rows; pages without a tag are left out.
TEST(TagPageLayout, RowsBelowThePrintableAreaFollowOnAnotherPage) {
    struct Case {
        TagKind kind;
        DevicePoint offset, farMargins;
        std::vector<int> filled;
        int rowsPerPage;
        std::vector<int> firstRows;
    };
    using enum TagKind;
    const std::vector<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const Case cases[] = {
        {Tray, {0, 0}, {0, 0}, all, 5, {0}},
        {Tray, {75, 150}, {75, 150}, all, 5, {0}},     // half an inch: the last row ends at 10.3 in
        {Tray, {75, 225}, {75, 225}, all, 3, {0, 3}},  // 3/4 in: rows from 2.5 in
        {Tray, {75, 225}, {75, 225}, {9, 10}, 3, {3}},
        {Tray, {75, 225}, {75, 225}, {}, 3, {0}},
        {Tray, {75, 225}, {75, 75}, all, 4, {0, 4}},
        {Sack, {75, 225}, {75, 150}, all, 4, {0, 4}},
        {Sack, {75, 225}, {75, 225}, {1, 10}, 4, {0, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset.y << ", bottom margin "
                                        << c.farMargins.y << ", " << c.filled.size() << " tags");
        RecordingPrintSurface surface(300, 300, c.offset);
        surface.farMargins = c.farMargins;
        TagSheet sheet;
        sheet.kind = c.kind;
        for (const int n : c.filled) sheet.tags[n - 1] = c.kind == Tray ? trayTag() : sackTag();
        const TagFonts fonts{"Arial", 12, 14, 10, 11, 13};
        const TagSheetPaging paging = PageTagSheet(surface, sheet, fonts);
        EXPECT_EQ(paging.rowsPerPage, c.rowsPerPage);
        EXPECT_EQ(paging.firstRows, c.firstRows);
    }
}

// The sheet of tags in printer pixels: places with printing offsets, the tray and sack
// layouts step by step at 300 and 600 dpi, stripes, cut lines and blank places.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPrintSurface.h"
#include "tags/TagPageLayout.h"

namespace {

const TagFonts kFonts{"Arial", 12, 14, 10, 11, 13};

TagValues trayTag(std::string code = "") {
    return {"DALLAS TX", "75201", "FC LTR 3D MACH", std::move(code), "7520125007"};
}

TagValues sackTag(std::string code = "") {
    return {"DALLAS TX", "75201", "STD FLTS 3D", std::move(code), "75201000"};
}

TagSheet sheetWith(TagKind kind, int place, const TagValues& tag, bool stripes = false) {
    TagSheet sheet;
    sheet.kind = kind;
    sheet.automationStripes = stripes;
    sheet.origin = "ORIGIN CITY TX";
    sheet.tags[place - 1] = tag;
    return sheet;
}

std::vector<DrawCall> printSheet(int dpi, DevicePoint offset, const TagSheet& sheet) {
    RecordingPrintSurface surface(dpi, dpi, offset);
    surface.beginJob("test");
    printtags(surface, sheet, kFonts);
    return surface.jobs.back().calls;
}

const DrawCall* findText(const std::vector<DrawCall>& calls, const std::string& text) {
    for (const DrawCall& call : calls) {
        if (call.kind == DrawCall::Text && call.text == text) return &call;
    }
    return nullptr;
}

const DrawCall* firstOf(const std::vector<DrawCall>& calls, DrawCall::Kind kind) {
    for (const DrawCall& call : calls) {
        if (call.kind == kind) return &call;
    }
    return nullptr;
}

int countOf(const std::vector<DrawCall>& calls, DrawCall::Kind kind) {
    int count = 0;
    for (const DrawCall& call : calls) count += call.kind == kind ? 1 : 0;
    return count;
}

// The recording surface makes a character a tenth of the font size in inches wide.
int widthOf(const std::string& text, int size, int dpi) {
    return static_cast<int>(text.size()) * size * dpi / 720;
}

struct TextStep {
    const char* text;
    int x;  // left edge of the text as drawn
    int y;
    int size;
};

void expectTexts(const std::vector<DrawCall>& calls, const std::vector<TextStep>& steps) {
    for (const TextStep& step : steps) {
        SCOPED_TRACE(step.text);
        const DrawCall* call = findText(calls, step.text);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->points[0], (DevicePoint{step.x, step.y}));
        EXPECT_EQ(call->fontSize, step.size);
        EXPECT_EQ(call->fontFamily, "Arial");
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
    // The fifth row of a low printable area starts 10.5 inches from the top of the sheet.
    RecordingPrintSurface low(300, 300, {0, 160});
    EXPECT_EQ(TagPlace(9, TagPageUnits::of(low), {0, 160}).y + 160, 3150);
}

TEST(TagPageLayout, TrayTagStepByStep) {
    struct Case {
        int dpi;
        std::vector<TextStep> texts;
        DevicePoint symbol;
        DevicePoint firstStripeFoot;
        int stripeTop, stripeStep, stripeWidth;
    };
    const int w300 = widthOf("ORIGIN CITY TX", 10, 300);
    const int w600 = widthOf("ORIGIN CITY TX", 10, 600);
    const Case cases[] = {
        {300,
         {{"DALLAS TX", 285, 196, 12},
          {"75201", 1221 - widthOf("75201", 14, 300), 196, 14},
          {"FC LTR 3D MACH", 285, 258, 12},
          {"R001", 1221 - widthOf("R001", 14, 300), 283, 14},
          {"7520125007", 345, 641, 10},
          {"ORIGIN CITY TX", 900 - w300 / 2, 641, 10}},
         {289, 370},
         {777, 587},
         491,
         100,
         50},
        {600,
         {{"DALLAS TX", 570, 392, 12},
          {"75201", 2442 - widthOf("75201", 14, 600), 392, 14},
          {"FC LTR 3D MACH", 570, 517, 12},
          {"R001", 2442 - widthOf("R001", 14, 600), 567, 14},
          {"7520125007", 690, 1284, 10},
          {"ORIGIN CITY TX", 1800 - w600 / 2, 1284, 10}},
         {579, 742},
         {1554, 1175},
         983,
         200,
         100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        const auto calls =
            printSheet(c.dpi, {0, 0}, sheetWith(TagKind::Tray, 1, trayTag("R001"), true));
        expectTexts(calls, c.texts);
        const DrawCall* firstBar = firstOf(calls, DrawCall::Rectangle);
        ASSERT_NE(firstBar, nullptr);
        EXPECT_EQ(firstBar->points[0], c.symbol);

        std::vector<const DrawCall*> stripes;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawCall::Polygon) stripes.push_back(&call);
        }
        ASSERT_EQ(stripes.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            const int x = c.firstStripeFoot.x + i * c.stripeStep;
            const int base = c.firstStripeFoot.y;
            const std::vector<DevicePoint> corners = {{x, base},
                                                      {x + c.stripeWidth, c.stripeTop},
                                                      {x + 2 * c.stripeWidth, c.stripeTop},
                                                      {x + c.stripeWidth, base}};
            EXPECT_EQ(stripes[i]->points, corners) << "stripe " << i;
            EXPECT_EQ(stripes[i]->fill, FillColor::Black);
        }
    }
}

TEST(TagPageLayout, StripesOnlyOnAutomationTrayTags) {
    struct Case {
        TagKind kind;
        bool stripes;
        int polygons;
    };
    const Case cases[] = {
        {TagKind::Tray, true, 4}, {TagKind::Tray, false, 0}, {TagKind::Sack, true, 0}};
    for (const Case& c : cases) {
        const TagValues tag = c.kind == TagKind::Tray ? trayTag() : sackTag();
        EXPECT_EQ(countOf(printSheet(300, {0, 0}, sheetWith(c.kind, 3, tag, c.stripes)),
                          DrawCall::Polygon),
                  c.polygons);
    }
}

TEST(TagPageLayout, SackTagStepByStepAndTheCodeTextMovesTheRestDown) {
    struct Case {
        int dpi;
        const char* code;
        std::vector<TextStep> texts;
        DevicePoint symbol;
        int cutY, cutRight, cutTop;
    };
    const Case cases[] = {
        {300,
         "",
         {{"DALLAS TX", 666, 204, 11},
          {"75201", 1197 - widthOf("75201", 13, 300), 204, 13},
          {"STD FLTS 3D", 666, 258, 11},
          {"ORIGIN CITY TX", 666, 370, 11},
          {"cut", 675, 458, 8}},
         {276, 188},
         437,
         1215,
         150},
        {300,
         "R001",
         {{"STD FLTS 3D", 666, 258, 11},
          {"R001", 1197 - widthOf("R001", 13, 300), 287, 13},
          {"ORIGIN CITY TX", 666, 378, 11},
          {"cut", 675, 466, 8}},
         {276, 188},
         445,
         1215,
         158},
        {600,
         "",
         {{"DALLAS TX", 1332, 408, 11},
          {"75201", 2394 - widthOf("75201", 13, 600), 408, 13},
          {"STD FLTS 3D", 1332, 516, 11},
          {"ORIGIN CITY TX", 1332, 741, 11},
          {"cut", 1350, 916, 8}},
         {552, 375},
         874,
         2430,
         299},
        {600,
         "R001",
         {{"R001", 2394 - widthOf("R001", 13, 600), 574, 13},
          {"ORIGIN CITY TX", 1332, 757, 11},
          {"cut", 1350, 932, 8}},
         {552, 375},
         890,
         2430,
         315},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " code '" + c.code + "'");
        const auto calls = printSheet(c.dpi, {0, 0}, sheetWith(TagKind::Sack, 1, sackTag(c.code)));
        expectTexts(calls, c.texts);
        EXPECT_EQ(firstOf(calls, DrawCall::Rectangle)->points[0], c.symbol);

        std::vector<const DrawCall*> lines;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawCall::Line) lines.push_back(&call);
        }
        const int left = c.dpi == 300 ? 225 : 450;
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0]->points,
                  (std::vector<DevicePoint>{{left, c.cutY}, {c.cutRight, c.cutY}}));
        EXPECT_EQ(lines[1]->points,
                  (std::vector<DevicePoint>{{c.cutRight, c.cutY}, {c.cutRight, c.cutTop}}));
        for (const DrawCall* line : lines) {
            EXPECT_EQ(line->penStyle, PenStyle::Dotted);
            EXPECT_EQ(line->penWidth, 1);
        }
        EXPECT_EQ(findText(calls, "cut")->penStyle, PenStyle::Solid);
    }
}

TEST(TagPageLayout, OneFilledTagLeavesEveryOtherPlaceBlank) {
    // Tag 2 alone, a quarter-inch printing offset: everything lands in the upper right place.
    for (const TagKind kind : {TagKind::Tray, TagKind::Sack}) {
        const TagValues tag = kind == TagKind::Tray ? trayTag("R001") : sackTag("R001");
        const auto calls = printSheet(300, {75, 75}, sheetWith(kind, 2, tag, true));
        ASSERT_FALSE(calls.empty());
        const DevicePoint place{1200, 75};
        for (const DrawCall& call : calls) {
            for (const DevicePoint& point : call.points) {
                EXPECT_GE(point.x, place.x);
                EXPECT_LT(point.x, place.x + 1000);
                EXPECT_GE(point.y, place.y);
                EXPECT_LT(point.y, place.y + 600);
            }
        }
    }
}

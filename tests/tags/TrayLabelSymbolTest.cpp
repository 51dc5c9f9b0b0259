// The 24-digit tray label symbol in device pixels at 300 and 600 dpi, and its refusal of
// other digit counts; printed and decoded through Qt on a whole sheet in TrayLabelSheetTest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPrintSurface.h"
#include "engine/Code128.h"
#include "engine/MarrowbyError.h"
#include "tags/TrayLabelSymbol.h"

namespace marrowby {

namespace {

const char kSample[] = "123456781123456123123451";

struct Resolution {
    int dpi;
    int module[5];   // pixels of an element 1 to 4 modules wide (0.015 in each)
    int quietZone;   // 10 modules
    int barHeight;   // 0.72 in
    int figuresTop;  // 0.75 in
};
// 0.015 in is 4.5 pixels at 300 dpi: one module rounds to 4, three (13.5) to 14.
constexpr Resolution kResolutions[] = {
    {300, {0, 4, 9, 14, 18}, 45, 216, 225},
    {600, {0, 9, 18, 27, 36}, 90, 432, 450},
};

}  // namespace

TEST(TrayLabelSymbol, EveryElementIsAWholeNumberOfPixelsAt300And600Dpi) {
    for (const Resolution& r : kResolutions) {
        SCOPED_TRACE(r.dpi);
        RecordingPrintSurface surface(r.dpi, r.dpi, {0, 0});
        surface.beginJob("test");
        const DevicePoint topLeft{100, 200};
        DrawTrayLabelSymbol(surface, kSample, topLeft, {"Arial", 10});

        const std::vector<int> modules = Code128Widths(kSample);
        const std::vector<DrawCall>& calls = surface.jobs.back().calls;
        ASSERT_EQ(calls.size(), modules.size() / 2 + 1 + 1);  // 46 bars, then the figures
        int x = topLeft.x + r.quietZone;
        for (size_t i = 0; i < modules.size(); ++i) {
            if (i % 2 == 1) {
                x += r.module[modules[i]];
                continue;
            }
            const DrawCall& bar = calls[i / 2];
            SCOPED_TRACE(i);
            EXPECT_EQ(bar.kind, DrawCall::Rectangle);
            EXPECT_EQ(bar.fill, FillColor::Black);
            EXPECT_EQ(bar.points[0], (DevicePoint{x, topLeft.y}));
            x += r.module[modules[i]];
            EXPECT_EQ(bar.points[1], (DevicePoint{x, topLeft.y + r.barHeight}));
        }
        EXPECT_EQ(TrayLabelSymbolWidth(r.dpi, kSample), x + r.quietZone - topLeft.x);
        EXPECT_EQ(surface.fill, FillColor::White);

        const DrawCall& figures = calls.back();
        EXPECT_EQ(figures.kind, DrawCall::Text);
        EXPECT_EQ(figures.text, kSample);
        EXPECT_EQ(figures.fontFamily, "Arial");
        EXPECT_EQ(figures.fontSize, 10);
        const int barsLeft = topLeft.x + r.quietZone;
        const int textWidth = surface.textWidth(kSample);
        EXPECT_EQ(figures.points[0], (DevicePoint{barsLeft + (x - barsLeft - textWidth) / 2,
                                                  topLeft.y + r.figuresTop}));
    }
    // At 600 dpi every module is exactly 9 pixels: 167 of them and two quiet zones.
    EXPECT_EQ(TrayLabelSymbolWidth(600, kSample), 167 * 9 + 2 * 90);

    // Other digit counts are refused before anything is drawn.
    RecordingPrintSurface surface(300, 300, {0, 0});
    surface.beginJob("test");
    EXPECT_THROW(DrawTrayLabelSymbol(surface, "12345678112345612312345", {0, 0}, {"Arial", 10}),
                 MarrowbyError);
    EXPECT_TRUE(surface.jobs.back().calls.empty());
    EXPECT_THROW(TrayLabelSymbolWidth(300, "1234"), MarrowbyError);
}

}  // namespace marrowby

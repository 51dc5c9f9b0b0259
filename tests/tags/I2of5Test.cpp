// The tag barcode in printer pixels at 300 and 600 dpi, its bars and spaces as zint's
// Interleaved 2 of 5 encoder draws them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPrintSurface.h"
#include "engine/MarrowbyError.h"
#include "tags/I2of5.h"

namespace marrowby {

namespace {

struct DrawnSymbol {
    std::vector<int> widths;  // bars and the spaces between them, left to right
    std::vector<DrawCall> bars;
    FillColor fillAfter;
};

DrawnSymbol drawSymbol(int dpi, const std::string& digits) {
    RecordingPrintSurface surface(dpi, dpi, {0, 0});
    surface.beginJob("test");
    drawbarcode(surface, TagPageUnits::of(surface), digits, {100, 200});
    DrawnSymbol symbol{{}, surface.jobs.back().calls, surface.fill};
    int x = 100;
    for (const DrawCall& bar : symbol.bars) {
        if (bar.points[0].x > x) symbol.widths.push_back(bar.points[0].x - x);
        symbol.widths.push_back(bar.points[1].x - bar.points[0].x);
        x = bar.points[1].x;
    }
    return symbol;
}

struct Resolution {
    int dpi, narrow, wide, height;
};
constexpr Resolution kResolutions[] = {{300, 4, 12, 217}, {600, 8, 25, 433}};

}  // namespace

// Narrow (N) and wide (W) bars and spaces as zint 2.11.1 draws them (zint --barcode=3 --dump),
// each width in pixels, every bar black from y 200 to the symbol's height.
TEST(I2of5, BarsAndSpacesMatchZintInPrinterPixelsAndUnpairedDigitsDrawNothing) {
    const struct {
        const char* digits;
        const char* widths;
    } cases[] = {
        {"7520125007",
         "NNNNNWNNNWWNWNNNWNNWNWWNWNNWNNNNWWWNNNWWNWNNNNNNWNWWNWWNN"},  // 1 a tray tag
        // 2 and 3: every digit as a bar and as a space
        {"0123456789", "NNNNNWNNWNWNNWNWWWNNNNWNNWNNWWNNWNNNWNWNNWNWWNNWNNWWNNWNN"},  // 2
        {"1357924680", "NNNNWWNWNNNNWNWNNNWNNWNWNNWWNNWNNWNNNWWWNNWNWNNNNWWWNNWNN"},  // 3
        {"98765432", "NNNNNWWNNNWWNNNNNWNWWNWNWNNNWWNNNWWNWWNNNNNWWNN"},  // 4 a sack tag
    };
    for (const auto& c : cases) {
        for (const Resolution& r : kResolutions) {
            SCOPED_TRACE(std::string(c.digits) + " at " + std::to_string(r.dpi));
            const DrawnSymbol symbol = drawSymbol(r.dpi, c.digits);
            std::vector<int> expected;
            for (const char* w = c.widths; *w; ++w)
                expected.push_back(*w == 'N' ? r.narrow : r.wide);
            EXPECT_EQ(symbol.widths, expected);
            ASSERT_FALSE(symbol.bars.empty());
            EXPECT_EQ(symbol.bars.front().points[0].x, 100);
            for (const DrawCall& bar : symbol.bars) {
                EXPECT_EQ(bar.kind, DrawCall::Rectangle);
                EXPECT_EQ(bar.points[0].y, 200);
                EXPECT_EQ(bar.points[1].y - bar.points[0].y, r.height);
                EXPECT_EQ(bar.fill, FillColor::Black);
            }
            EXPECT_EQ(symbol.fillAfter, FillColor::White);
        }
    }
    // Digits that cannot be paired draw nothing.
    for (const char* digits : {"123", "12A4"}) {
        RecordingPrintSurface surface(300, 300, {0, 0});
        surface.beginJob("test");
        EXPECT_THROW(drawbarcode(surface, TagPageUnits::of(surface), digits, {0, 0}), MarrowbyError)
            << digits;
        EXPECT_TRUE(surface.jobs.back().calls.empty()) << digits;
    }
}

}  // namespace marrowby

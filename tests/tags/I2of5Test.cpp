// The tag barcode in printer pixels at 300 and 600 dpi, and its bars and spaces against
// zint's own Interleaved 2 of 5 encoder.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
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

// zint's dump of a linear symbol is hex digits of modules, 1 for bar and 0 for space; a
// run of one module is narrow, a longer run wide.
std::string zintNarrowWide(const std::string& digits) {
    const std::string command = "zint --barcode=3 --dump -d " + digits + " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return {};
    std::string bits;
    for (int c; (c = fgetc(pipe.get())) != EOF;) {
        if (!isxdigit(c)) continue;
        const int value = std::stoi(std::string(1, static_cast<char>(c)), nullptr, 16);
        for (int bit = 3; bit >= 0; --bit) bits += (value >> bit) & 1 ? '1' : '0';
    }
    bits.erase(bits.find_last_of('1') + 1);
    std::string text;
    for (size_t i = 0; i < bits.size();) {
        size_t run = 1;
        while (i + run < bits.size() && bits[i + run] == bits[i]) ++run;
        text += run == 1 ? 'N' : 'W';
        i += run;
    }
    return text;
}

struct Resolution {
    int dpi, narrow, wide, height;
};
constexpr Resolution kResolutions[] = {{300, 4, 12, 217}, {600, 8, 25, 433}};

}  // namespace

TEST(I2of5, PairSeventyFiveAndTheLengthOfTheWholeSymbol) {
    struct Case {
        const char* digits;
        Resolution r;
        int length;
        size_t bars;
    };
    const Case cases[] = {
        {"7520125007", kResolutions[0], 396, 2 + 25 + 2},  // 99 narrow widths of 4 pixels
        {"7520125007", kResolutions[1], 813, 29},          // 36 narrow of 8, 21 wide of 25
        {"75201000", kResolutions[0], 324, 2 + 20 + 2},
        {"75201000", kResolutions[1], 665, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.digits) + " at " + std::to_string(c.r.dpi));
        const DrawnSymbol symbol = drawSymbol(c.r.dpi, c.digits);
        const int n = c.r.narrow;
        const int w = c.r.wide;
        // Start pattern, then bar/space alternating for the pair 75.
        const std::vector<int> start = {n, n, n, n, n, w, n, n, n, w, w, n, w, n};
        ASSERT_GE(symbol.widths.size(), start.size());
        EXPECT_EQ(std::vector<int>(symbol.widths.begin(), symbol.widths.begin() + 14), start);
        for (const DrawCall& bar : symbol.bars) {
            EXPECT_EQ(bar.kind, DrawCall::Rectangle);
            EXPECT_EQ(bar.points[0].y, 200);
            EXPECT_EQ(bar.points[1].y - bar.points[0].y, c.r.height);
            EXPECT_EQ(bar.fill, FillColor::Black);
        }
        EXPECT_EQ(symbol.bars.front().points[0].x, 100);
        EXPECT_EQ(symbol.bars.size(), c.bars);
        EXPECT_EQ(symbol.bars.back().points[1].x - 100, c.length);
        EXPECT_EQ(symbol.fillAfter, FillColor::White);
    }
}

TEST(I2of5, BarsAndSpacesMatchZint) {
    if (std::system("zint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no zint here";
    for (const char* digits :
         {"7520125007", "0123456789", "98765432", "0000000000", "99999999", "1357924680"}) {
        SCOPED_TRACE(digits);
        const std::string expected = zintNarrowWide(digits);
        ASSERT_FALSE(expected.empty());
        for (const Resolution& r : kResolutions) {
            std::string drawn;
            for (int width : drawSymbol(r.dpi, digits).widths)
                drawn += width == r.narrow ? 'N' : 'W';
            EXPECT_EQ(drawn, expected) << r.dpi;
        }
    }
}

TEST(I2of5, DigitsThatCannotBePairedDrawNothing) {
    for (const char* digits : {"123", "12A4"}) {
        RecordingPrintSurface surface(300, 300, {0, 0});
        surface.beginJob("test");
        EXPECT_THROW(drawbarcode(surface, TagPageUnits::of(surface), digits, {0, 0}), MarrowbyError)
            << digits;
        EXPECT_TRUE(surface.jobs.back().calls.empty()) << digits;
    }
}

}  // namespace marrowby

// The tag barcode in printer pixels at 300 and 600 dpi, and its bars and spaces against
// zint's own Interleaved 2 of 5 encoder.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "RecordingPrintSurface.h"
#include "engine/MarrowbyError.h"
#include "tags/I2of5.h"

namespace {

struct Element {
    bool bar;
    int width;
};

struct DrawnSymbol {
    std::vector<Element> elements;  // bars and the spaces between them, left to right
    std::vector<DrawCall> bars;
};

DrawnSymbol drawSymbol(int dpi, const std::string& digits, DevicePoint at = {100, 200}) {
    RecordingPrintSurface surface(dpi, dpi, {0, 0});
    surface.beginJob("test");
    drawbarcode(surface, TagPageUnits::of(surface), digits, at);
    DrawnSymbol symbol;
    symbol.bars = surface.jobs.back().calls;
    int x = at.x;
    for (const DrawCall& bar : symbol.bars) {
        if (bar.points[0].x > x) symbol.elements.push_back({false, bar.points[0].x - x});
        symbol.elements.push_back({true, bar.points[1].x - bar.points[0].x});
        x = bar.points[1].x;
    }
    return symbol;
}

// "N" and "W" for every bar and space, read from the widths drawn.
std::string narrowWide(const DrawnSymbol& symbol, int narrow) {
    std::string text;
    for (const Element& element : symbol.elements) text += element.width == narrow ? 'N' : 'W';
    return text;
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

bool zintAvailable() { return std::system("zint --version >/dev/null 2>&1") == 0; }

struct Resolution {
    int dpi;
    int narrow;
    int wide;
    int height;
};
constexpr std::array<Resolution, 2> kResolutions = {{{300, 4, 12, 217}, {600, 8, 25, 433}}};

}  // namespace

TEST(I2of5, PairSeventyFiveTakesBarsFromSevenAndSpacesFromFive) {
    for (const Resolution& r : kResolutions) {
        SCOPED_TRACE(r.dpi);
        const DrawnSymbol symbol = drawSymbol(r.dpi, "7520125007");
        const int n = r.narrow;
        const int w = r.wide;
        // Start pattern, then bar/space alternating for the pair 75.
        const std::vector<int> expected = {n, n, n, n, n, w, n, n, n, w, w, n, w, n};
        ASSERT_GE(symbol.elements.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(symbol.elements[i].bar, i % 2 == 0) << i;
            EXPECT_EQ(symbol.elements[i].width, expected[i]) << i;
        }
        for (const DrawCall& bar : symbol.bars) {
            EXPECT_EQ(bar.kind, DrawCall::Rectangle);
            EXPECT_EQ(bar.points[0].y, 200);
            EXPECT_EQ(bar.points[1].y - bar.points[0].y, r.height);
            EXPECT_EQ(bar.fill, FillColor::Black);
        }
        EXPECT_EQ(symbol.bars.front().points[0].x, 100);
    }
}

TEST(I2of5, SymbolLengthAddsWidthsRoundedOnTheirOwn) {
    struct Case {
        const char* digits;
        int dpi;
        int length;
        size_t bars;
    };
    const Case cases[] = {
        {"7520125007", 300, 396, 2 + 25 + 2},  // 99 narrow widths of 4 pixels
        {"7520125007", 600, 813, 29},          // 36 narrow of 8, 21 wide of 25
        {"75201000", 300, 324, 2 + 20 + 2},
        {"75201000", 600, 665, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.digits) + " at " + std::to_string(c.dpi));
        const DrawnSymbol symbol = drawSymbol(c.dpi, c.digits);
        EXPECT_EQ(symbol.bars.size(), c.bars);
        EXPECT_EQ(symbol.bars.back().points[1].x - 100, c.length);
    }
}

TEST(I2of5, BarsAndSpacesMatchZint) {
    if (!zintAvailable()) GTEST_SKIP() << "zint is not installed";
    for (const char* digits : {"7520125007", "75201000", "0123456789", "98765432", "0000000000",
                               "99999999", "1357924680"}) {
        SCOPED_TRACE(digits);
        const std::string expected = zintNarrowWide(digits);
        ASSERT_FALSE(expected.empty());
        for (const Resolution& r : kResolutions) {
            EXPECT_EQ(narrowWide(drawSymbol(r.dpi, digits), r.narrow), expected) << r.dpi;
        }
    }
}

TEST(I2of5, FillIsWhiteAfterTheSymbol) {
    RecordingPrintSurface surface(300, 300, {0, 0});
    surface.beginJob("test");
    drawbarcode(surface, TagPageUnits::of(surface), "12345678", {0, 0});
    EXPECT_EQ(surface.fill, FillColor::White);
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

// The two tag symbols in printer pixels at 300 and 600 dpi, every bar against
// tests/data/tags/tag-symbols.txt, and their refusal of digits they cannot draw.
#include <gtest/gtest.h>

#include <functional>

#include "GoldenFiles.h"
#include "engine/MarrowbyError.h"
#include "tags/I2of5.h"
#include "tags/TrayLabelSymbol.h"

namespace marrowby {

// A refusal is the line "error <message>" after whatever was drawn before it.
TEST(TagSymbols, EveryBarAsTheGoldenFileHasIt) {
    for (const DrawingCase& c : DrawingCases("tags/tag-symbols.txt")) {
        const int dpi = std::stoi(c.get("dpi"));
        const std::string digits = c.get("digits");
        RecordingPrintSurface surface(dpi, dpi, {0, 0});
        surface.beginJob("test");
        const auto attempt = [](const std::function<std::string()>& draw) {
            try {
                return draw();
            } catch (const MarrowbyError& error) {
                return std::string("error ") + error.what();
            }
        };
        const std::string refused = attempt([&] {
            if (c.get("symbol") == "i2of5")
                drawbarcode(surface, TagPageUnits::of(surface), digits, {100, 200});
            else
                DrawTrayLabelSymbol(surface, digits, {100, 200}, {"Arial", 10});
            return std::string();
        });
        std::vector<std::string> lines = DrawnLines(surface.jobs.back().calls);
        if (!refused.empty()) lines.push_back(refused);
        lines.push_back(surface.fill == FillColor::White ? "fill white" : "fill black");
        if (c.get("symbol") == "tray24") {
            lines.push_back(attempt(
                [&] { return "width " + std::to_string(TrayLabelSymbolWidth(dpi, digits)); }));
        }
        ExpectDrawing(c, lines);
    }
}

}  // namespace marrowby

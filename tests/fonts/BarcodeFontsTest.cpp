// The barcode fonts: the committed files are what the generator makes, they pass the
// sanitizer, fontconfig knows their names, and harfbuzz draws the engine's bars from them
// at the Postal Service's dimensions at 600 dpi.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "RenderedBars.h"
#include "TempFolder.h"
#include "app/BarcodeFontInstaller.h"
#include "engine/BarcodeEngine.h"

namespace fs = std::filesystem;

namespace {

const fs::path FontFolder = fs::path(MARROWBY_SOURCE_DIR) / "fonts";

// Nominal dimensions in inches, and their size in pixels at the rendering resolution.
constexpr double Pitch = 1.0 / 22, BarWidth = 0.020;
constexpr double PostnetFull = 0.125, PostnetHalf = 0.050;
constexpr double ImbFull = 0.145, ImbTracker = 0.048, ImbAscender = 0.0965;
double Pixels(double inches) { return inches * RenderDpi; }
constexpr double Tolerance = 1.0;  // pixels

const double Em = BarcodeFontPoints * RenderDpi / 72.0;
// The line box: 0.8 em above the baseline and 0.2 em below.
const double Baseline = RenderMargin + 0.8 * Em;

// The pitch cell of every bar: a character that draws no bars still takes one cell.
std::vector<int> Cells(const std::string& text, const std::map<char, int>& barsOf) {
    std::vector<int> cells;
    int cell = 0;
    for (char c : text) {
        const auto bars = barsOf.find(c);
        if (bars == barsOf.end()) {
            ++cell;
            continue;
        }
        for (int i = 0; i < bars->second; ++i) cells.push_back(cell++);
    }
    return cells;
}

// Width, pitch position and the line box, shared by both fonts.
void ExpectBarsInCells(const Rendering& rendering, const std::vector<int>& cells) {
    ASSERT_EQ(rendering.bars.size(), cells.size());
    EXPECT_NEAR(rendering.height, 2 * RenderMargin + Em, Tolerance);
    for (size_t i = 0; i < cells.size(); ++i) {
        const MeasuredBar& bar = rendering.bars[i];
        SCOPED_TRACE("bar " + std::to_string(i));
        EXPECT_NEAR(bar.centre(), RenderMargin + (cells[i] + 0.5) * Pixels(Pitch), Tolerance);
        EXPECT_NEAR(bar.right - bar.left, Pixels(BarWidth), Tolerance);
        EXPECT_GE(bar.top, RenderMargin);
        EXPECT_LE(bar.bottom, RenderMargin + Em);
    }
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path FontFile(int index) { return FontFolder / BarcodeFonts().at(index).file; }

}  // namespace

TEST(BarcodeFonts, CommittedFilesAreWhatTheGeneratorMakes) {
    TempFolder scratch;
    const ProgramRun run =
        RunProgram((FontFolder / "make-fonts.py").string(), {scratch.path().string()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const BarcodeFont& font : BarcodeFonts()) {
        const fs::path committed = FontFolder / font.file;
        ASSERT_TRUE(fs::exists(committed)) << committed;
        EXPECT_TRUE(scratch.read(font.file) == ReadBytes(committed))
            << font.file << " differs from a fresh run of make-fonts.py";
    }
}

TEST(BarcodeFonts, PassTheSanitizerAndFontconfigKnowsTheirNames) {
    TempFolder scratch;
    for (const BarcodeFont& font : BarcodeFonts()) {
        SCOPED_TRACE(font.file);
        const ProgramRun sanitized = RunProgram(
            "ots-sanitize", {(FontFolder / font.file).string(), (scratch.path() / "out").string()});
        EXPECT_EQ(sanitized.exitCode, 0) << sanitized.output;
        const ProgramRun scanned = RunProgram(
            "fc-scan",
            {"--format=%{family}|%{style}|%{postscriptname}", (FontFolder / font.file).string()});
        std::string postscript = font.family;
        std::erase(postscript, ' ');
        EXPECT_EQ(scanned.output, std::string(font.family) + "|Regular|" + postscript + "-Regular");
    }
}

TEST(BarcodeFonts, PostnetTextsDrawTheEnginesBarsAtUspsDimensions) {
    const std::vector<std::string> designators = DesignatorTable();
    std::vector<std::string> preferences = {"", "0", "0", "/"};
    const BarcodeEngine engine(preferences, designators);
    const std::string framed = engine.ComputeBarcodes("", "123456789", "01");
    ASSERT_EQ(framed, "/123456789014/");
    preferences[3] = "|";  // a frame-bar preference the font does not know

    const std::map<char, int> barsOf = {{'/', 1}, {'0', 5}, {'1', 5}, {'2', 5}, {'3', 5}, {'4', 5},
                                        {'5', 5}, {'6', 5}, {'7', 5}, {'8', 5}, {'9', 5}};
    const std::vector<std::string> texts = {
        framed,
        engine.ComputeBarcodes("", "987654321", "00"),  // unknown frame bars leave a gap
        "/000009999999/",
    };
    TempFolder scratch;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const Rendering rendering =
            RenderBars(FontFile(0), text, BarcodeFontPoints, scratch.path());
        const std::string pattern = BarPattern(text);
        ASSERT_NO_FATAL_FAILURE(ExpectBarsInCells(rendering, Cells(text, barsOf)));
        for (size_t i = 0; i < pattern.size(); ++i) {
            const MeasuredBar& bar = rendering.bars[i];
            SCOPED_TRACE("bar " + std::to_string(i));
            EXPECT_NEAR(bar.bottom, Baseline, Tolerance);
            EXPECT_NEAR(bar.bottom - bar.top, Pixels(pattern[i] == 'L' ? PostnetFull : PostnetHalf),
                        Tolerance);
        }
    }
}

TEST(BarcodeFonts, IntelligentMailLettersDrawTheFourBarStates) {
    const std::map<char, int> barsOf = {{'A', 1}, {'D', 1}, {'F', 1}, {'T', 1}};
    // The worked example for tracking code 01234567094987654321 and routing 01234567891,
    // and letters the font does not know between bars.
    const std::vector<std::string> texts = {
        "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA",
        "F a T-D|A xF",
    };
    TempFolder scratch;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const Rendering rendering =
            RenderBars(FontFile(1), text, BarcodeFontPoints, scratch.path());
        ASSERT_NO_FATAL_FAILURE(ExpectBarsInCells(rendering, Cells(text, barsOf)));
        // The full bar spans the whole symbol; the tracker sits in its middle.
        const double bottom = Baseline, top = Baseline - Pixels(ImbFull);
        const double extension = (Pixels(ImbFull) - Pixels(ImbTracker)) / 2;
        const std::map<char, std::pair<double, double>> edges = {
            {'F', {top, bottom}},
            {'A', {top, bottom - extension}},
            {'D', {top + extension, bottom}},
            {'T', {top + extension, bottom - extension}},
        };
        std::string letters;
        for (char c : text)
            if (barsOf.contains(c)) letters += c;
        for (size_t i = 0; i < letters.size(); ++i) {
            const MeasuredBar& bar = rendering.bars[i];
            SCOPED_TRACE("bar " + std::to_string(i) + " " + letters[i]);
            EXPECT_NEAR(bar.top, edges.at(letters[i]).first, Tolerance);
            EXPECT_NEAR(bar.bottom, edges.at(letters[i]).second, Tolerance);
            const double height = letters[i] == 'F'   ? Pixels(ImbFull)
                                  : letters[i] == 'T' ? Pixels(ImbTracker)
                                                      : Pixels(ImbAscender);
            EXPECT_NEAR(bar.bottom - bar.top, height, Tolerance);
        }
    }
}

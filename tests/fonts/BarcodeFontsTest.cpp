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

namespace marrowby {

namespace fs = std::filesystem;

namespace {

const fs::path kFontFolder = fs::path(MARROWBY_SOURCE_DIR) / "fonts";

// Nominal dimensions in inches, and their size in pixels at the rendering resolution.
constexpr double kPitch = 1.0 / 22, kBarWidth = 0.020;
constexpr double kPostnetFull = 0.125, kPostnetHalf = 0.050;
constexpr double kImbFull = 0.145, kImbTracker = 0.048, kImbAscender = 0.0965;
double Pixels(double inches) { return inches * kRenderDpi; }
constexpr double kTolerance = 1.0;  // pixels

const double kEm = kBarcodeFontPoints * kRenderDpi / 72.0;
// The line box: 0.8 em above the baseline and 0.2 em below.
const double kBaseline = kRenderMargin + 0.8 * kEm;

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
    EXPECT_NEAR(rendering.height, 2 * kRenderMargin + kEm, kTolerance);
    for (size_t i = 0; i < cells.size(); ++i) {
        const MeasuredBar& bar = rendering.bars[i];
        SCOPED_TRACE("bar " + std::to_string(i));
        EXPECT_NEAR(bar.centre(), kRenderMargin + (cells[i] + 0.5) * Pixels(kPitch), kTolerance);
        EXPECT_NEAR(bar.right - bar.left, Pixels(kBarWidth), kTolerance);
        EXPECT_GE(bar.top, kRenderMargin);
        EXPECT_LE(bar.bottom, kRenderMargin + kEm);
    }
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path FontFile(int index) { return kFontFolder / BarcodeFonts().at(index).file; }

}  // namespace

TEST(BarcodeFonts, CommittedFilesAreWhatTheGeneratorMakes) {
    TempFolder scratch;
    const ProgramRun run =
        RunProgram((kFontFolder / "make-fonts.py").string(), {scratch.path().string()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const BarcodeFont& font : BarcodeFonts()) {
        const fs::path committed = kFontFolder / font.file;
        ASSERT_TRUE(fs::exists(committed)) << committed;
        EXPECT_TRUE(scratch.read(font.file) == ReadBytes(committed))
            << font.file << " differs from a fresh run of make-fonts.py";
    }
}

TEST(BarcodeFonts, PassTheSanitizerAndFontconfigKnowsTheirNames) {
    TempFolder scratch;
    for (const BarcodeFont& font : BarcodeFonts()) {
        SCOPED_TRACE(font.file);
        const ProgramRun sanitized =
            RunProgram("ots-sanitize",
                       {(kFontFolder / font.file).string(), (scratch.path() / "out").string()});
        EXPECT_EQ(sanitized.exitCode, 0) << sanitized.output;
        const ProgramRun scanned = RunProgram(
            "fc-scan",
            {"--format=%{family}|%{style}|%{postscriptname}", (kFontFolder / font.file).string()});
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
    for (size_t row = 0; row < texts.size(); ++row) {
        const std::string& text = texts[row];
        SCOPED_TRACE("row " + std::to_string(row + 1) + ": " + text);
        const Rendering rendering =
            RenderBars(FontFile(0), text, kBarcodeFontPoints, scratch.path());
        const std::string pattern = BarPattern(text);
        ASSERT_NO_FATAL_FAILURE(ExpectBarsInCells(rendering, Cells(text, barsOf)));
        for (size_t i = 0; i < pattern.size(); ++i) {
            const MeasuredBar& bar = rendering.bars[i];
            SCOPED_TRACE("bar " + std::to_string(i));
            EXPECT_NEAR(bar.bottom, kBaseline, kTolerance);
            EXPECT_NEAR(bar.bottom - bar.top,
                        Pixels(pattern[i] == 'L' ? kPostnetFull : kPostnetHalf), kTolerance);
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
    for (size_t row = 0; row < texts.size(); ++row) {
        const std::string& text = texts[row];
        SCOPED_TRACE("row " + std::to_string(row + 1) + ": " + text);
        const Rendering rendering =
            RenderBars(FontFile(1), text, kBarcodeFontPoints, scratch.path());
        ASSERT_NO_FATAL_FAILURE(ExpectBarsInCells(rendering, Cells(text, barsOf)));
        // The full bar spans the whole symbol; the tracker sits in its middle.
        const double bottom = kBaseline, top = kBaseline - Pixels(kImbFull);
        const double extension = (Pixels(kImbFull) - Pixels(kImbTracker)) / 2;
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
            EXPECT_NEAR(bar.top, edges.at(letters[i]).first, kTolerance);
            EXPECT_NEAR(bar.bottom, edges.at(letters[i]).second, kTolerance);
            const double height = letters[i] == 'F'   ? Pixels(kImbFull)
                                  : letters[i] == 'T' ? Pixels(kImbTracker)
                                                      : Pixels(kImbAscender);
            EXPECT_NEAR(bar.bottom - bar.top, height, kTolerance);
        }
    }
}

}  // namespace marrowby

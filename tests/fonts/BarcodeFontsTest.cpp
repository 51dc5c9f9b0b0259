// The barcode fonts: the committed files are what the generator makes, they pass the
// sanitizer, fontconfig knows their names, and harfbuzz draws the engine's bars from them
// at the Postal Service's dimensions at 600 dpi.
#include <gtest/gtest.h>

#include <QImage>

#include <cctype>
#include <map>
#include <string_view>

#include "ShellCommand.h"
#include "TempFolder.h"
#include "TestData.h"
#include "app/BarcodeFontInstaller.h"
#include "engine/BarcodeEngine.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

const fs::path kFontFolder = fs::path(MARROWBY_SOURCE_DIR) / "fonts";

constexpr int kRenderDpi = 600;
constexpr int kRenderMargin = 40;  // pixels around the line on every side

// Nominal dimensions in inches, and their size in pixels at the rendering resolution.
constexpr double kPitch = 1.0 / 22, kBarWidth = 0.020;
constexpr double kPostnetFull = 0.125, kPostnetHalf = 0.050;
constexpr double kImbFull = 0.145, kImbTracker = 0.048;
double Pixels(double inches) { return inches * kRenderDpi; }
constexpr double kTolerance = 1.0;  // pixels

const double kEm = kBarcodeFontPoints * kRenderDpi / 72.0;
// The line box: 0.8 em above the baseline and 0.2 em below.
const double kBaseline = kRenderMargin + 0.8 * kEm;

// One bar's edges in pixels: columns [left, right), rows [top, bottom), y growing down.
struct MeasuredBar {
    int left, right, top, bottom;
};

// The text drawn by harfbuzz's hb-view in the font at 600 dpi, read back: the height of the
// image and its bars left to right, a pixel at least half covered counting as ink.
std::pair<int, std::vector<MeasuredBar>> RenderBars(const fs::path& font, const std::string& text,
                                                    const fs::path& scratch) {
    const fs::path png = scratch / "bars.png";
    const ShellResult run = RunShellCommand("hb-view --font-size=" + std::to_string(kEm) +
                                            " --margin=" + std::to_string(kRenderMargin) +
                                            " --output-format=png '--output-file=" + png.string() +
                                            "' '" + font.string() + "' '" + text + "' 2>&1");
    EXPECT_EQ(run.status, 0) << run.output;
    const QImage image =
        QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_Grayscale8);
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    const auto darkColumn = [&](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (dark(x, y)) return true;
        return false;
    };
    std::vector<MeasuredBar> bars;
    for (int x = 0; x < image.width(); ++x) {
        if (!darkColumn(x)) continue;
        MeasuredBar bar{x, x, image.height(), 0};
        for (; bar.right < image.width() && darkColumn(bar.right); ++bar.right) {
            for (int y = 0; y < image.height(); ++y) {
                if (!dark(bar.right, y)) continue;
                bar.top = std::min(bar.top, y);
                bar.bottom = std::max(bar.bottom, y + 1);
            }
        }
        bars.push_back(bar);
        x = bar.right;
    }
    return {image.height(), bars};
}

}  // namespace

TEST(BarcodeFonts, CommittedFilesAreWhatTheGeneratorMakes) {
    TempFolder scratch;
    const ShellResult run = RunShellCommand("'" + (kFontFolder / "make-fonts.py").string() + "' '" +
                                            scratch.path().string() + "' 2>&1");
    ASSERT_EQ(run.status, 0) << run.output;
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
        const std::string file = "'" + (kFontFolder / font.file).string() + "'";
        const ShellResult sanitized = RunShellCommand("ots-sanitize " + file + " '" +
                                                      (scratch.path() / "out").string() + "' 2>&1");
        EXPECT_EQ(sanitized.status, 0) << sanitized.output;
        const ShellResult scanned =
            RunShellCommand("fc-scan '--format=%{family}|%{style}|%{postscriptname}' " + file);
        std::string postscript = font.family;
        std::erase(postscript, ' ');
        EXPECT_EQ(scanned.output, std::string(font.family) + "|Regular|" + postscript + "-Regular");
    }
}

// Every bar sits in its pitch cell (a character that draws no bars still takes one), is
// 0.020 in wide and has the top and bottom of its kind: POSTNET full (L) and half (S) bars
// stand on the baseline; of the Intelligent Mail bars the full one (F) spans the symbol,
// the tracker (T) sits in its middle, ascender (A) and descender (D) reach up or down.
TEST(BarcodeFonts, TextsDrawTheirBarsAtUspsDimensions) {
    const double full = Pixels(kImbFull), extension = (full - Pixels(kImbTracker)) / 2;
    const std::map<char, std::pair<double, double>> edges = {
        {'L', {kBaseline - Pixels(kPostnetFull), kBaseline}},
        {'S', {kBaseline - Pixels(kPostnetHalf), kBaseline}},
        {'F', {kBaseline - full, kBaseline}},
        {'A', {kBaseline - full, kBaseline - extension}},
        {'D', {kBaseline - full + extension, kBaseline}},
        {'T', {kBaseline - full + extension, kBaseline - extension}},
    };
    TempFolder scratch;
    for (const auto& row : CaseRows("fonts/bar-texts.tsv")) {
        const bool postnet = row[1] == "postnet";
        const std::string& text = row[2];
        SCOPED_TRACE("row " + row[0] + ": " + text);
        const auto [height, measured] =
            RenderBars(kFontFolder / BarcodeFonts().at(postnet ? 0 : 1).file, text, scratch.path());
        EXPECT_NEAR(height, 2 * kRenderMargin + kEm, kTolerance);
        std::vector<int> cells;
        std::string kinds;
        const std::string pattern = postnet ? PostnetBarPattern(text) : "";
        int cell = 0;
        for (const char c : text) {
            const int bars = postnet ? (c == '/'          ? 1
                                        : std::isdigit(c) ? 5
                                                          : 0)
                                     : std::string_view("ADFT").find(c) != std::string_view::npos;
            if (bars == 0) ++cell;
            for (int i = 0; i < bars; ++i) {
                kinds += postnet ? pattern[kinds.size()] : c;
                cells.push_back(cell++);
            }
        }
        ASSERT_EQ(measured.size(), cells.size());
        for (size_t i = 0; i < cells.size(); ++i) {
            const MeasuredBar& bar = measured[i];
            SCOPED_TRACE("bar " + std::to_string(i) + " " + kinds[i]);
            EXPECT_NEAR((bar.left + bar.right) / 2.0,
                        kRenderMargin + (cells[i] + 0.5) * Pixels(kPitch), kTolerance);
            EXPECT_NEAR(bar.right - bar.left, Pixels(kBarWidth), kTolerance);
            EXPECT_NEAR(bar.top, edges.at(kinds[i]).first, kTolerance);
            EXPECT_NEAR(bar.bottom, edges.at(kinds[i]).second, kTolerance);
        }
    }
}

}  // namespace marrowby

// Where the envelope bars land, POSTNET and Intelligent Mail: recorded in device pixels at
// two resolutions with unequal margins, and printed for real into a PDF and measured.
#include <gtest/gtest.h>

#include "DrawingCases.h"
#include "PdfPage.h"
#include "RecordingPrintSurface.h"
#include "TempFolder.h"
#include "engine/BarcodeEngine.h"
#include "engine/IntelligentMail.h"
#include "engine/MarrowbyError.h"
#include "single/EnvelopeBarcode.h"
#include "single/EnvelopeImb.h"

namespace marrowby {

namespace {
// ZIP 12345-6789, delivery point 01: frame bar, twelve digits, frame bar.
const std::string Postnet = PostnetBarPattern("/123456789014/");
const std::string Imb = IntelligentMailBars("01234567094987654321", "01234567891");

// Prints one copy into a PDF on US Letter and returns the box around every bar standing
// on the bottom quarter of the page, left to right.
std::vector<QRect> PrintedBars(const Printout& printout, int dpi, QMarginsF margins) {
    TempFolder folder;
    PrintToPdf(printout, folder.path() / "envelope.pdf", dpi, margins);
    const QImage page = RasterisePdf(folder.path() / "envelope.pdf", dpi);
    std::vector<QRect> bars;
    bool inBar = false;
    for (int x = 0; x < page.width(); ++x) {
        QRect column;
        for (int y = page.height() * 3 / 4; y < page.height(); ++y)
            if (IsInk(page, x, y)) column |= QRect(x, y, 1, 1);
        if (column.isValid() && inBar) bars.back() |= column;
        if (column.isValid() && !inBar) bars.push_back(column);
        inBar = column.isValid();
    }
    return bars;
}
}  // namespace

// Every job's bars on the paper as tests/data/single/envelope.txt has them: the paper's own
// right and bottom edges place them, whatever the margins there; an Intelligent Mail
// printout asks for the bars of every copy anew.
TEST(EnvelopeBarcode, BarsStandInTheBottomRightCornerOfThePaper) {
    for (const DrawingCase& c : DrawingCases("single/envelope.txt")) {
        const int dpi = std::stoi(c.get("dpi"));
        const DevicePoint offset = Point(c.get("offset")), far = Point(c.get("far"));
        RecordingPrintSurface surface(dpi, dpi, offset);
        surface.farMargins = far;
        int asked = 0;
        if (c.get("printout") == "postnet") {
            PrintJobs(surface, EnvelopePrintout(Postnet), 1);
        } else {
            PrintJobs(
                surface,
                ImbEnvelopePrintout([&] { return ++asked == 2 ? std::string(65, 'F') : Imb; }), 3);
        }
        std::vector<std::string> lines;
        for (RecordedJob& job : surface.jobs) {
            lines.push_back("job " + job.title);
            for (DrawCall& call : job.calls) {
                for (DevicePoint& point : call.points)
                    point = {point.x + offset.x, point.y + offset.y};
            }
            std::ranges::copy(DrawnLines(job.calls), std::back_inserter(lines));
        }
        lines.push_back("pen after w" + std::to_string(surface.state.penWidth));
        ExpectDrawing(c, lines);
    }
    RecordingPrintSurface refusing(300, 300, {0, 0});
    refusing.refuseJobs = true;
    EXPECT_THROW(PrintJobs(refusing, ImbEnvelopePrintout([] { return Imb; }), 1), MarrowbyError);
    EXPECT_THROW(PrintJobs(refusing, EnvelopePrintout(Postnet), 1), MarrowbyError);
}

// At 300 dpi: first bar 4 in (1200 px) from the right edge, 3.25 pt from bar to bar,
// baseline 1/4 in (75 px) above the bottom edge, bars 1.4 pt wide and 9 pt or 3.6 pt tall.
TEST(EnvelopeBarcode, PrintedPdfHasTheBarsWhereTheEnvelopeNeedsThem) {
    const std::vector<QRect> bars = PrintedBars(EnvelopePrintout(Postnet), 300, {18, 54, 36, 27});
    ASSERT_EQ(bars.size(), Postnet.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "bar " << i);
        EXPECT_NEAR((bars[i].left() + bars[i].right() + 1) / 2.0, 1350 + i * 3.25 * 300 / 72, 0.5);
        EXPECT_EQ(bars[i].bottom() + 1, 3300 - 75);
        EXPECT_EQ(bars[i].width(), 6);
        EXPECT_EQ(bars[i].height(), Postnet[i] == 'L' ? 38 : 15);
    }
}

// The USPS tolerances for letters, in the barcode clear zone.
TEST(EnvelopeImb, PrintedPdfMeetsTheLetterDimensionsInTheClearZone) {
    const double inch = 600;
    const std::vector<QRect> bars =
        PrintedBars(ImbEnvelopePrintout([] { return Imb; }), 600, {18, 18, 18, 18});
    ASSERT_EQ(bars.size(), 65u);
    const auto centre = [](const QRect& bar) { return (bar.left() + bar.right() + 1) / 2.0; };
    // Leftmost bar 3.5 to 4.25 in from the right edge; 20 to 24 bars per inch overall.
    EXPECT_NEAR(8.5 * inch - centre(bars.front()), 4.0 * inch, 1);
    EXPECT_NEAR((centre(bars.back()) - centre(bars.front())) / 64, inch / 22, 0.1);
    // The tracker, the part every bar has, sets the middle of the barcode.
    int trackerTop = 0, trackerBottom = 11 * inch;
    for (const QRect& bar : bars) {
        trackerTop = std::max(trackerTop, bar.top());
        trackerBottom = std::min(trackerBottom, bar.bottom());
    }
    std::string letters;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "bar " << i + 1);
        const QRect& bar = bars[i];
        if (i > 0) {
            EXPECT_NEAR(centre(bar) - centre(bars[i - 1]), inch / 22, 1);
        }
        EXPECT_GE(bar.width(), 0.015 * inch);
        EXPECT_LE(bar.width(), 0.025 * inch);
        const bool up = bar.top()<trackerTop, down = bar.bottom()> trackerBottom;
        letters += up ? (down ? 'F' : 'A') : (down ? 'D' : 'T');
        const double height = bar.height() / inch;
        const auto [low, high] = up && down   ? std::pair(0.125, 0.165)
                                 : up || down ? std::pair(0.082, 0.111)
                                              : std::pair(0.039, 0.057);
        EXPECT_GE(height, low);
        EXPECT_LE(height, high);
        // The bottom 5/8 in of the piece; the lowest bar ends 1/4 in above its edge.
        EXPECT_GE(bar.top(), 11 * inch - 0.625 * inch);
        EXPECT_LE(bar.bottom() + 1, 11 * inch - 0.25 * inch + 1);
    }
    EXPECT_EQ(letters, Imb);
}

}  // namespace marrowby

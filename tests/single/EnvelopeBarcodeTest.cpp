// Where the envelope bars land: recorded in device pixels at two resolutions with equal
// and unequal margins, and printed for real into a PDF and measured on the page.
#include <QPrinter>

#include <gtest/gtest.h>

#include "PdfPage.h"
#include "RecordingPrintSurface.h"
#include "TempFolder.h"
#include "engine/BarcodeEngine.h"
#include "engine/MarrowbyError.h"
#include "platform/QtPrintSurface.h"
#include "single/EnvelopeBarcode.h"

namespace marrowby {

namespace {
// ZIP 12345-6789, delivery point 01: frame bar, twelve digits, frame bar.
const std::string Pattern = PostnetBarPattern("/123456789014/");

// The box around every bar standing on the bottom quarter of the page, left to right.
std::vector<QRect> BarsOnPage(const QImage& page) {
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

// The paper's own right and bottom edges place the bars, whatever the margins there.
TEST(EnvelopeBarcode, BarsStandInTheBottomRightCornerOfThePaper) {
    // Positions on the paper, in pixels from its top left corner.
    struct Case {
        int dpi;
        DevicePoint offset, farMargins;
        int firstX, bar12X, lastX, pen, baseline, fullTop, halfTop;
    };
    const Case cases[] = {
        // 4 in = 1200 px from the right edge; bar 12 at 162.5 px goes to the even 162;
        // 9 pt = 37.5 px goes to 38.
        {300, {0, 0}, {0, 0}, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {300, {75, 75}, {75, 75}, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {300, {75, 75}, {150, 187}, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {300, {75, 225}, {150, 187}, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {600, {0, 0}, {0, 0}, 2700, 3025, 4352, 12, 6450, 6375, 6420},
        {600, {150, 150}, {150, 150}, 2700, 3025, 4352, 12, 6450, 6375, 6420},
        {600, {150, 450}, {300, 375}, 2700, 3025, 4352, 12, 6450, 6375, 6420},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.dpi << " dpi, offset " << c.offset.x << "," << c.offset.y
                     << ", far margins " << c.farMargins.x << "," << c.farMargins.y);
        RecordingPrintSurface surface(c.dpi, c.dpi, c.offset);
        surface.farMargins = c.farMargins;
        PrintJobs(surface, EnvelopePrintout(Pattern), 1);
        ASSERT_EQ(surface.jobs.at(0).title, "Single Barcode");
        const std::vector<DrawCall>& bars = surface.jobs.at(0).calls;
        ASSERT_EQ(bars.size(), 62u);
        EXPECT_EQ(bars[0].points[0].x + c.offset.x, c.firstX);
        EXPECT_EQ(bars[12].points[0].x + c.offset.x, c.bar12X);
        EXPECT_EQ(bars[61].points[0].x + c.offset.x, c.lastX);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "bar " << i);
            EXPECT_EQ(bars[i].kind, DrawCall::Line);
            EXPECT_EQ(bars[i].penWidth, c.pen);
            EXPECT_EQ(bars[i].points[1].x, bars[i].points[0].x);
            EXPECT_EQ(bars[i].points[0].y + c.offset.y, c.baseline);
            EXPECT_EQ(bars[i].points[1].y + c.offset.y, Pattern[i] == 'L' ? c.fullTop : c.halfTop);
        }
        EXPECT_EQ(surface.penWidth, 1);
    }
    RecordingPrintSurface refusing(300, 300, {0, 0});
    refusing.refuseJobs = true;
    EXPECT_THROW(PrintJobs(refusing, EnvelopePrintout(Pattern), 1), MarrowbyError);
}

// First bar 4 in from the right edge, 3.25 pt from bar to bar, baseline 1/4 in above the
// bottom edge, bars 1.4 pt wide and 9 pt or 3.6 pt tall, measured on the printed page.
TEST(EnvelopeBarcode, PrintedPdfHasTheBarsWhereTheEnvelopeNeedsThem) {
    struct Case {
        int dpi;
        QMarginsF margins;  // points: left, top, right, bottom
        int width, full, half;
    };
    const Case cases[] = {
        {300, {18, 18, 18, 18}, 6, 38, 15},  {300, {18, 18, 36, 45}, 6, 38, 15},
        {300, {18, 54, 36, 27}, 6, 38, 15},  {600, {18, 18, 18, 18}, 12, 75, 30},
        {600, {18, 36, 36, 45}, 12, 75, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.dpi << " dpi, margins " << c.margins.left() << "/" << c.margins.top()
                     << "/" << c.margins.right() << "/" << c.margins.bottom());
        TempFolder folder;
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdfPrinter(printer, folder.path() / "envelope.pdf", c.dpi, c.margins);
        QtPrintSurface surface(printer);
        PrintJobs(surface, EnvelopePrintout(Pattern), 1);

        const QImage page = RasterisePdf(folder.path() / "envelope.pdf", c.dpi);
        ASSERT_FALSE(page.isNull());
        const std::vector<QRect> bars = BarsOnPage(page);
        ASSERT_EQ(bars.size(), Pattern.size());
        const double perPoint = c.dpi / 72.0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "bar " << i);
            EXPECT_NEAR((bars[i].left() + bars[i].right() + 1) / 2.0,
                        c.dpi * 8.5 - 4 * c.dpi + i * 3.25 * perPoint, 0.5);
            EXPECT_EQ(page.height() - (bars[i].bottom() + 1), c.dpi / 4);
            EXPECT_EQ(bars[i].width(), c.width);
            EXPECT_EQ(bars[i].height(), Pattern[i] == 'L' ? c.full : c.half);
        }
    }
}

}  // namespace marrowby

// Where the envelope bars land: recorded in device pixels at two resolutions and two
// printing offsets, and printed for real into a PDF.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>

#include <gtest/gtest.h>

#include "RecordingPrintSurface.h"
#include "TempFolder.h"
#include "engine/BarcodeEngine.h"
#include "engine/MarrowbyError.h"
#include "platform/QtPrintSurface.h"
#include "single/EnvelopeBarcode.h"

namespace {
// ZIP 12345-6789, delivery point 01: frame bar, twelve digits, frame bar.
const std::string Pattern = BarPattern("/123456789014/");

// The box around every bar standing on the bottom quarter of the page, left to right,
// with the page rasterised at 300 dpi; empty when it cannot be rasterised.
std::vector<QRect> BarsOnPage(const std::filesystem::path& pdf) {
    const QString prefix = QString::fromStdString((pdf.parent_path() / "page").string());
    QProcess::execute("pdftoppm", {"-r", "300", "-png", "-singlefile",
                                   QString::fromStdString(pdf.string()), prefix});
    const QImage page = QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8);
    std::vector<QRect> bars;
    bool inBar = false;
    for (int x = 0; x < page.width(); ++x) {
        QRect column;
        for (int y = page.height() * 3 / 4; y < page.height(); ++y)
            if (qGray(page.pixel(x, y)) < 128) column |= QRect(x, y, 1, 1);
        if (column.isValid() && inBar) bars.back() |= column;
        if (column.isValid() && !inBar) bars.push_back(column);
        inBar = column.isValid();
    }
    return bars;
}
}  // namespace

TEST(EnvelopeBarcode, BarsStandInTheBottomRightCornerOfThePaper) {
    // Positions on the paper, in pixels from its top left corner.
    struct Case {
        int dpi;
        int offset;
        int firstX, bar12X, lastX, pen, baseline, fullTop, halfTop;
    };
    const Case cases[] = {
        // 4 in = 1200 px from the right edge; bar 12 at 162.5 px goes to the even 162;
        // 9 pt = 37.5 px goes to 38.
        {300, 0, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {300, 75, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {600, 0, 2700, 3025, 4352, 12, 6450, 6375, 6420},
        {600, 150, 2700, 3025, 4352, 12, 6450, 6375, 6420},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi, offset " << c.offset);
        RecordingPrintSurface surface(c.dpi, c.dpi, {c.offset, c.offset});
        PrintEnvelopeBarcode(surface, Pattern, 1);
        const std::vector<DrawCall>& bars = surface.jobs.at(0).calls;
        ASSERT_EQ(bars.size(), 62u);
        EXPECT_EQ(bars[0].points[0].x + c.offset, c.firstX);
        EXPECT_EQ(bars[12].points[0].x + c.offset, c.bar12X);
        EXPECT_EQ(bars[61].points[0].x + c.offset, c.lastX);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "bar " << i);
            EXPECT_EQ(bars[i].kind, DrawCall::Line);
            EXPECT_EQ(bars[i].penWidth, c.pen);
            EXPECT_EQ(bars[i].points[1].x, bars[i].points[0].x);
            EXPECT_EQ(bars[i].points[0].y + c.offset, c.baseline);
            EXPECT_EQ(bars[i].points[1].y + c.offset, Pattern[i] == 'L' ? c.fullTop : c.halfTop);
        }
        EXPECT_EQ(surface.penWidth, 1);
    }
    RecordingPrintSurface refusing(300, 300, {0, 0});
    refusing.refuseJobs = true;
    EXPECT_THROW(PrintEnvelopeBarcode(refusing, Pattern, 1), MarrowbyError);
}

TEST(EnvelopeBarcode, PrintedPdfHasTheBarsWhereTheEnvelopeNeedsThem) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder.path() / "envelope.pdf").string()));
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    QtPrintSurface surface(printer);
    PrintEnvelopeBarcode(surface, Pattern, 1);

    // First bar 4 in from the right edge, 3.25 pt from bar to bar, baseline 1/4 in above
    // the bottom edge, bars 9 pt and 3.6 pt tall.
    const std::vector<QRect> bars = BarsOnPage(folder.path() / "envelope.pdf");
    ASSERT_EQ(bars.size(), Pattern.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "bar " << i);
        EXPECT_NEAR((bars[i].left() + bars[i].right() + 1) / 2.0, 1350 + i * 3.25 * 300 / 72, 1);
        EXPECT_NEAR(3300 - (bars[i].bottom() + 1), 75, 1);
        EXPECT_NEAR(bars[i].height(), Pattern[i] == 'L' ? 38 : 15, 1);
    }
}

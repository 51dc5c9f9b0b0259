// The Intelligent Mail barcode on an envelope: printed for real into a PDF, rasterised
// at 600 dpi and measured against the USPS tolerances for letters.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>

#include <gtest/gtest.h>

#include "RecordingPrintSurface.h"
#include "TempFolder.h"
#include "engine/IntelligentMail.h"
#include "engine/MarrowbyError.h"
#include "platform/QtPrintSurface.h"
#include "single/EnvelopeImb.h"

namespace {

constexpr int Dpi = 600;
const std::string Bars = IntelligentMailBars("01234567094987654321", "01234567891");

struct Bar {
    double centre;  // x, in pixels from the paper's left edge
    int width, top, bottom;
};

// Every bar in the bottom inch of the first page, left to right, in pixels of the page.
std::vector<Bar> BarsOnPage(const std::filesystem::path& pdf) {
    const QString prefix = QString::fromStdString((pdf.parent_path() / "page").string());
    const int firstRow = 10 * Dpi;  // only the bottom inch is rasterised
    QProcess::execute("pdftoppm",
                      {"-r", QString::number(Dpi), "-gray", "-png", "-singlefile", "-x", "0", "-y",
                       QString::number(firstRow), "-W", QString::number(17 * Dpi / 2), "-H",
                       QString::number(Dpi), QString::fromStdString(pdf.string()), prefix});
    const QImage page = QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8);
    std::vector<Bar> bars;
    int start = -1;
    int top = 0, bottom = 0;
    for (int x = 0; x <= page.width(); ++x) {
        int columnTop = -1, columnBottom = -1;
        for (int y = 0; x < page.width() && y < page.height(); ++y) {
            if (qGray(page.pixel(x, y)) < 128) {
                if (columnTop < 0) columnTop = y;
                columnBottom = y;
            }
        }
        if (columnTop >= 0 && start < 0) {
            start = x, top = columnTop, bottom = columnBottom;
        } else if (columnTop >= 0) {
            top = std::min(top, columnTop), bottom = std::max(bottom, columnBottom);
        } else if (start >= 0) {
            bars.push_back({(start + x) / 2.0, x - start, firstRow + top, firstRow + bottom + 1});
            start = -1;
        }
    }
    return bars;
}

}  // namespace

TEST(EnvelopeImb, PrintedPdfMeetsTheLetterDimensionsInTheClearZone) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder.path() / "envelope.pdf").string()));
    printer.setResolution(Dpi);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    QtPrintSurface surface(printer);
    PrintJobs(surface, ImbEnvelopePrintout([] { return Bars; }), 1);

    const std::vector<Bar> bars = BarsOnPage(folder.path() / "envelope.pdf");
    ASSERT_EQ(bars.size(), 65u) << folder.path();
    const double inch = Dpi;
    const int paperRight = static_cast<int>(8.5 * inch);
    const int paperBottom = 11 * Dpi;
    // Leftmost bar 3.5 to 4.25 in from the right edge; 20 to 24 bars per inch overall.
    EXPECT_NEAR(paperRight - bars.front().centre, 4.0 * inch, 1);
    const double pitch = (bars.back().centre - bars.front().centre) / 64;
    EXPECT_NEAR(pitch, inch / 22, 0.1);
    // The tracker, the part every bar has, sets the middle of the barcode.
    int trackerTop = 0, trackerBottom = paperBottom;
    for (const Bar& bar : bars) {
        trackerTop = std::max(trackerTop, bar.top);
        trackerBottom = std::min(trackerBottom, bar.bottom);
    }
    std::string letters;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "bar " << i + 1);
        const Bar& bar = bars[i];
        if (i > 0) {
            EXPECT_NEAR(bar.centre - bars[i - 1].centre, inch / 22, 1);
        }
        EXPECT_GE(bar.width, 0.015 * inch);
        EXPECT_LE(bar.width, 0.025 * inch);
        const bool up = bar.top < trackerTop;
        const bool down = bar.bottom > trackerBottom;
        letters += up ? (down ? 'F' : 'A') : (down ? 'D' : 'T');
        const double height = (bar.bottom - bar.top) / inch;
        if (up && down) {
            EXPECT_GE(height, 0.125);
            EXPECT_LE(height, 0.165);
        } else if (up || down) {
            EXPECT_GE(height, 0.082);
            EXPECT_LE(height, 0.111);
        } else {
            EXPECT_GE(height, 0.039);
            EXPECT_LE(height, 0.057);
        }
        // Inside the barcode clear zone: the bottom 5/8 in of the piece, the lowest bar
        // ends 1/4 in above its bottom edge.
        EXPECT_GE(bar.top, paperBottom - 0.625 * inch);
        EXPECT_LE(bar.bottom, paperBottom - 0.25 * inch + 1);
    }
    EXPECT_EQ(letters, Bars);
}

TEST(EnvelopeImb, EveryCopyAsksForItsOwnBarsAndARefusedJobIsReported) {
    RecordingPrintSurface surface(300, 300, {0, 0});
    int asked = 0;
    PrintJobs(surface,
              ImbEnvelopePrintout([&] { return ++asked == 2 ? std::string(65, 'F') : Bars; }), 3);
    EXPECT_EQ(asked, 3);
    ASSERT_EQ(surface.jobs.size(), 3u);
    for (const RecordedJob& job : surface.jobs) {
        EXPECT_EQ(job.title, "Single Barcode");
        EXPECT_EQ(job.calls.size(), 65u);
        EXPECT_EQ(job.calls[0].penWidth, 6);  // 0.020 in at 300 dpi
    }
    // The second copy's bars are all full: each reaches from the bottom to the top.
    for (const DrawCall& call : surface.jobs[1].calls) {
        EXPECT_EQ(call.points[0].y, 3300 - 75);
        EXPECT_EQ(call.points[1].y, 3300 - 75 - 44);  // 0.145 in is 43.5 px, to the even 44
    }
    EXPECT_EQ(surface.penWidth, 1);
    surface.refuseJobs = true;
    EXPECT_THROW(PrintJobs(surface, ImbEnvelopePrintout([] { return Bars; }), 1), MarrowbyError);
}

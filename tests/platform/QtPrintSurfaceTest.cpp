// The Qt print surface printed into real PDF files: the page geometry it reports and
// where its lines, rectangles and text land once the PDF is rasterised.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/QtPrintSurface.h"

namespace {

// A letter-size PDF printer whose printable area starts `margin` points inside the paper.
void SetUpPdf(QPrinter& printer, const std::filesystem::path& file, int dpi, double margin) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
}

QImage Rasterise(const std::filesystem::path& pdf, int dpi) {
    const QString prefix = QString::fromStdString((pdf.parent_path() / "page").string());
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile",
                                QString::fromStdString(pdf.string()), prefix});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
    return QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8);
}

bool Dark(const QImage& page, int x, int y) { return qGray(page.pixel(x, y)) < 128; }

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

// The smallest box around every dark pixel inside the searched area.
Box Ink(const QImage& page, QRect area) {
    Box box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Dark(page, x, y)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

}  // namespace

TEST(QtPrintSurface, ReportsResolutionOffsetAndPrintableSizeInDevicePixels) {
    struct Case {
        int dpi;
        double marginPoints;
        int offset;
    };
    const Case cases[] = {{300, 0, 0}, {300, 18, 75}, {600, 0, 0}, {600, 18, 150}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi, margin " << c.marginPoints);
        TempFolder folder;
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdf(printer, folder.path() / "page.pdf", c.dpi, c.marginPoints);
        QtPrintSurface surface(printer);
        EXPECT_EQ(surface.dpiX(), c.dpi);
        EXPECT_EQ(surface.dpiY(), c.dpi);
        EXPECT_EQ(surface.printingOffset(), (DevicePoint{c.offset, c.offset}));
        EXPECT_EQ(surface.printableWidth(), c.dpi * 17 / 2 - 2 * c.offset);
        EXPECT_EQ(surface.printableHeight(), c.dpi * 11 - 2 * c.offset);
    }
}

TEST(QtPrintSurface, JobIsTitledAndPrintsOneCopy) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, folder.path() / "page.pdf", 300, 0);
    printer.setCopyCount(3);
    QtPrintSurface surface(printer);
    ASSERT_TRUE(surface.beginJob("Single Barcode"));
    EXPECT_EQ(printer.docName(), "Single Barcode");
    EXPECT_EQ(printer.copyCount(), 1);
    surface.endJob();

    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {QString::fromStdString((folder.path() / "page.pdf").string())});
    ASSERT_TRUE(pdfinfo.waitForFinished(60000));
    EXPECT_TRUE(pdfinfo.readAllStandardOutput().contains("Single Barcode"));
}

TEST(QtPrintSurface, RefusesAJobItCannotWrite) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, folder.path() / "missing" / "page.pdf", 300, 0);
    QtPrintSurface surface(printer);
    EXPECT_FALSE(surface.beginJob("Single Barcode"));
}

TEST(QtPrintSurface, DrawsWhereItIsToldOnThePage) {
    for (double margin : {0.0, 18.0}) {
        SCOPED_TRACE(testing::Message() << "margin " << margin);
        TempFolder folder;
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdf(printer, folder.path() / "page.pdf", 300, margin);
        QtPrintSurface surface(printer);
        const int offset = surface.printingOffset().x;

        ASSERT_TRUE(surface.beginJob("Drawing"));
        surface.setPen(6, PenStyle::Solid);
        surface.line({600, 300}, {600, 400});
        surface.setPen(1, PenStyle::Solid);
        surface.setFill(FillColor::Black);
        surface.rectangle({900, 300}, {1000, 350});
        surface.polygon({{1200, 400}, {1250, 300}, {1300, 300}, {1250, 400}});
        surface.setFill(FillColor::White);
        surface.setPen(1, PenStyle::Dotted);
        surface.line({300, 900}, {700, 900});
        surface.setPen(1, PenStyle::Solid);
        surface.setFont("Liberation Sans", 24);
        surface.text({300, 600}, "HHHH");
        const int width = surface.textWidth("HHHH");
        surface.endJob();

        const QImage page = Rasterise(folder.path() / "page.pdf", 300);
        ASSERT_FALSE(page.isNull());
        ASSERT_EQ(page.size(), QSize(2550, 3300));

        // A 6-pixel line centred on x = 600, flat at both ends.
        const Box line = Ink(page, QRect(offset + 550, offset + 250, 100, 200));
        EXPECT_NEAR(line.left, offset + 597, 1);
        EXPECT_NEAR(line.right, offset + 602, 1);
        EXPECT_NEAR(line.top, offset + 300, 1);
        EXPECT_NEAR(line.bottom, offset + 399, 1);

        const Box rectangle = Ink(page, QRect(offset + 850, offset + 250, 200, 150));
        EXPECT_NEAR(rectangle.left, offset + 900, 1);
        EXPECT_NEAR(rectangle.right, offset + 1000, 1);
        EXPECT_NEAR(rectangle.top, offset + 300, 1);
        EXPECT_NEAR(rectangle.bottom, offset + 350, 1);
        EXPECT_TRUE(Dark(page, offset + 950, offset + 325));
        EXPECT_TRUE(Dark(page, offset + 1250, offset + 350));

        int dots = 0;
        for (int x = offset + 310; x < offset + 690; ++x) dots += Dark(page, x, offset + 900);
        EXPECT_GT(dots, 60);
        EXPECT_LT(dots, 320);

        // 24 points at 300 dpi: capitals about 70 pixels tall, inside a 100-pixel cell
        // whose top is the given point.
        const Box text = Ink(page, QRect(offset + 250, offset + 550, 800, 250));
        EXPECT_NEAR(text.left, offset + 300, 12);
        EXPECT_GT(text.top, offset + 600);
        EXPECT_LT(text.top, offset + 630);
        EXPECT_NEAR(text.bottom - text.top, 72, 6);
        EXPECT_NEAR(text.right - text.left, width, 30);
    }
}

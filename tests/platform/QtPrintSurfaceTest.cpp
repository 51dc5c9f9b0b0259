// The Qt print surface on a real PDF printer: the page geometry it reports in device
// pixels, and its jobs. Where its drawing lands on paper is checked by the envelope and
// tag sheet prints.
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

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
}  // namespace

TEST(QtPrintSurface, ReportsResolutionOffsetAndPrintableSizeInDevicePixels) {
    struct Case {
        int dpi;
        double marginPoints;
        int offset;
    };
    for (const Case& c : {Case{300, 0, 0}, Case{300, 18, 75}, Case{600, 18, 150}}) {
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

TEST(QtPrintSurface, JobIsTitledPrintsOneCopyAndIsRefusedWhenItCannotBeWritten) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, folder.path() / "page.pdf", 300, 0);
    printer.setCopyCount(3);
    QtPrintSurface surface(printer);
    ASSERT_TRUE(surface.beginJob("Single Barcode"));
    EXPECT_EQ(printer.docName(), "Single Barcode");
    EXPECT_EQ(printer.copyCount(), 1);
    surface.endJob();

    printer.setOutputFileName(QString::fromStdString((folder.path() / "no" / "p.pdf").string()));
    EXPECT_FALSE(surface.beginJob("Single Barcode"));
}

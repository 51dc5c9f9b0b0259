// The Qt print surface on a real PDF printer: the page geometry it reports in device
// pixels (tests/data/platform/print-surface-geometry.tsv), its jobs and pages, and filled
// shapes inking exactly the pixels drawn.
#include <QPrinter>

#include <gtest/gtest.h>

#include "PdfPage.h"
#include "TempFolder.h"
#include "TestData.h"
#include "platform/QtPrintSurface.h"

namespace marrowby {

// Each page geometry of the table in device pixels; rectangles and polygons are filled
// without an outline: a bar 4 pixels wide inks 4. The job takes its title and prints one
// copy (copies are separate jobs); one that cannot be written is refused.
TEST(QtPrintSurface, ReportsItsGeometryAndInksExactlyThePixelsDrawnOnEveryPage) {
    for (const auto& row : CaseRows("platform/print-surface-geometry.tsv", 11)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        std::vector<int> v;
        for (size_t i = 2; i < row.size(); ++i) v.push_back(std::stoi(row[i]));
        const int dpi = v[0];
        TempFolder folder;
        const std::filesystem::path pdf = folder.path() / "shapes.pdf";
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdfPrinter(printer, pdf, dpi, QMarginsF(v[1], v[2], v[3], v[4]));
        printer.setCopyCount(3);
        QtPrintSurface surface(printer);
        EXPECT_EQ(surface.dpiX(), dpi);
        EXPECT_EQ(surface.dpiY(), dpi);
        EXPECT_EQ(surface.printingOffset(), (DevicePoint{v[5], v[6]}));
        EXPECT_EQ(surface.printableWidth(), v[7]);
        EXPECT_EQ(surface.printableHeight(), v[8]);
        EXPECT_EQ(surface.paperWidth(), dpi * 17 / 2);
        EXPECT_EQ(surface.paperHeight(), dpi * 11);
        const DevicePoint offset = surface.printingOffset();
        ASSERT_TRUE(surface.beginJob("Shapes"));
        EXPECT_EQ(printer.docName(), "Shapes");
        EXPECT_EQ(printer.copyCount(), 1);
        surface.setPen(1, PenStyle::Solid);
        surface.setFill(FillColor::Black);
        for (int page = 0; page < 2; ++page) {
            if (page > 0) surface.newPage();
            // Bars of widths 1 to 5 with spaces of 5 to 1, then a slanted stripe.
            int x = 100;
            for (int width = 1; width <= 5; ++width) {
                surface.rectangle({x, 100}, {x + width, 300});
                x += width + 6 - width;
            }
            surface.polygon({{400, 300}, {450, 200}, {500, 200}, {450, 300}});
        }
        surface.endJob();
        printer.setOutputFileName(
            QString::fromStdString((folder.path() / "no" / "p.pdf").string()));
        EXPECT_FALSE(surface.beginJob("Shapes"));

        ASSERT_EQ(PdfPageCount(pdf), 2);
        for (int page = 1; page <= 2; ++page) {
            const QImage image = RasterisePdf(pdf, dpi, page);
            ASSERT_FALSE(image.isNull());
            const int row = offset.y + 200;
            EXPECT_EQ(InkRuns(image, row, offset.x + 90, offset.x + 140),
                      (std::vector<int>{1, 5, 2, 4, 3, 3, 4, 2, 5}));
            EXPECT_EQ(InkBox(image, QRect(offset.x + 90, offset.y + 90, 60, 220)),
                      QRect(offset.x + 100, offset.y + 100, 29, 200));
            // The stripe's foot spans 50 pixels, its top as well, and it is 100 tall.
            EXPECT_EQ(InkRuns(image, offset.y + 299, offset.x + 380, offset.x + 520),
                      (std::vector<int>{50}));
            EXPECT_EQ(InkBox(image, QRect(offset.x + 380, offset.y + 180, 140, 140)),
                      QRect(offset.x + 400, offset.y + 200, 100, 100));
        }
    }
}

}  // namespace marrowby

// The one way every printout prints: one job per copy holding every page, a job always
// ended, nothing without copies; and the preview, shown by Qt, printing only on request.
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "FakePrinter.h"
#include "PdfPage.h"
#include "TempFolder.h"
#include "TestData.h"
#include "engine/MarrowbyError.h"
#include "platform/QtPrinter.h"

namespace marrowby {

namespace {

// Page p holds one line whose length tells the page.
class CountedPages : public Printout {
  public:
    explicit CountedPages(int pages, int failingPage = -1)
        : pages_(pages), failingPage_(failingPage) {}
    std::string title() const override { return "Counted"; }
    int pageCount(const PrintSurface&) const override { return pages_; }
    void drawPage(PrintSurface& surface, int page) const override {
        if (page == failingPage_) throw MarrowbyError("page failed");
        surface.line({0, 0}, {page + 1, 0});
    }

  private:
    int pages_;
    int failingPage_;
};

}  // namespace

TEST(Printout, CopiesAreJobsOfEveryPage) {
    for (const auto& row : CaseRows("platform/printout-copies.tsv", 8)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        const int pages = std::stoi(row[3]), failingPage = std::stoi(row[5]);
        FakePrinter printer(300, 300, {0, 0});
        printer.copies = std::stoi(row[2]);
        printer.recording.refuseJobs = row[4] == "1";
        const CountedPages printout(pages, failingPage);
        if (row[7] == "!") {
            EXPECT_THROW(PrintCopies(printer, printout), MarrowbyError);
        } else {
            EXPECT_EQ(PrintCopies(printer, printout), row[7] == "1");
        }
        EXPECT_EQ(printer.dialogs, 1);
        ASSERT_EQ(std::to_string(printer.recording.jobs.size()), row[6]);
        for (const RecordedJob& job : printer.recording.jobs) {
            EXPECT_EQ(job.title, "Counted");
            EXPECT_TRUE(job.ended);
            if (failingPage >= 0) continue;
            ASSERT_EQ(job.calls.size(), static_cast<size_t>(pages));
            for (int page = 0; page < pages; ++page) {
                EXPECT_EQ(job.calls[page].page, page);
                EXPECT_EQ(job.calls[page].points[1].x, page + 1);
            }
        }
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST(Printout, PreviewShowsEveryPageAndPrintsOnlyWhenAsked) {
    for (const bool printAsked : {false, true}) {
        SCOPED_TRACE(printAsked ? "Print..." : "Close");
        TempFolder folder;
        QPrinter qprinter(QPrinter::HighResolution);
        SetUpPdfPrinter(qprinter, folder.path() / "preview.pdf", 300, {18, 36, 18, 36});
        QtPrinter printer(qprinter);
        int pages = -1;
        QString caption;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            caption = dialog->windowTitle();
            pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            if (printAsked) return dialog->findChild<QPushButton*>("print")->click();
            dialog->close();
        });
        EXPECT_EQ(printer.preview(CountedPages(3)), printAsked);
        EXPECT_EQ(caption, "Print Preview: Counted");
        EXPECT_EQ(pages, 3);
        // The preview prints nothing itself.
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "preview.pdf"));
    }
    // From a preview, printing goes through the print dialog's copies.
    FakePrinter fake(300, 300, {0, 0});
    fake.printFromPreview = true;
    fake.copies = 2;
    EXPECT_TRUE(PreviewThenPrint(fake, CountedPages(1)));
    EXPECT_EQ(fake.previewed.jobs.size(), 1u);
    EXPECT_EQ(fake.recording.jobs.size(), 2u);
}

}  // namespace marrowby

// One sheet through Qt's real printing into a PDF on US Letter, rasterised with pdftoppm
// and read back; and the preview, whose Print button prints one job per copy.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <cstdlib>
#include <string>
#include <utility>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "platform/QtPrintSurface.h"
#include "tags/QtTagSheetPrinter.h"

namespace {

const char kFontsFile[] = "x\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\n";

// Prints on a real QPrinter without asking: the print dialog is QtPrinter's business.
class UnaskedPrinter : public Printer {
  public:
    explicit UnaskedPrinter(QPrinter& printer) : surface_(printer) {}
    int askCopies() override { return 1; }
    PrintSurface& surface() override { return surface_; }

  private:
    QtPrintSurface surface_;
};

// Points to pixels of the 300 dpi raster.
int px(double points) { return static_cast<int>(points * 300 / 72.0 + 0.5); }

bool inkAt(const QImage& page, int x, int y) { return qGray(page.pixel(x, y)) < 160; }

// Ink anywhere in the box, in points from the sheet's corner.
bool anyInk(const QImage& page, double left, double top, double right, double bottom) {
    for (int y = px(top); y < px(bottom); ++y) {
        for (int x = px(left); x < px(right); ++x) {
            if (inkAt(page, x, y)) return true;
        }
    }
    return false;
}

// "N" or "W" for each dark run along a row, from left to right.
std::string barKinds(const QImage& page, double y, double left, double right) {
    std::string kinds;
    int run = 0;
    for (int x = px(left); x <= px(right); ++x) {
        if (inkAt(page, x, px(y))) {
            ++run;
        } else if (run > 0) {
            kinds += run > 8 ? 'W' : 'N';
            run = 0;
        }
    }
    return kinds;
}

}  // namespace

TEST(QtTagSheetPrinter, TraySheetLandsOnLetterPaperWhereTheLayoutPutsIt) {
    if (std::system("pdftoppm -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "no pdftoppm here";
    TempFolder folder;
    folder.write("fonts.dat", kFontsFile);
    TagSheet sheet;
    sheet.kind = TagKind::Tray;
    sheet.automationStripes = true;
    sheet.origin = "ORIGIN CITY TX";
    for (const int n : {1, 4, 10}) {
        sheet.tags[n - 1] = TagValues{"DALLAS TX", "75201", "FC LTR 3D MACH", "R001", "7520125007"};
    }
    const std::string pdf = (folder.path() / "tags.pdf").string();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setResolution(300);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
        UnaskedPrinter jobs(printer);
        FakePrompter prompter;
        QtTagSheetPrinter(printer, jobs, prompter, folder.path()).print(sheet);
        EXPECT_TRUE(prompter.messages.empty());
    }
    const std::string pgm = (folder.path() / "page").string();
    ASSERT_EQ(
        std::system(("pdftoppm -r 300 -gray -singlefile '" + pdf + "' '" + pgm + "'").c_str()), 0);
    const QImage page(QString::fromStdString(pgm + ".pgm"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.width(), px(612));
    EXPECT_EQ(page.height(), px(792));

    // The bars only (every other element): start, the first digits of 75 20 12 50 07, stop.
    const std::string bars = "NNNNNWWNWNNWWNNNWWNWNNNNWWNWN";
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        const double x = n % 2 == 1 ? 54.0 : 306.0;
        const double y = 36.0 + 144.0 * ((n - 1) / 2);
        if (n != 1 && n != 4 && n != 10) {
            EXPECT_FALSE(anyInk(page, x, y, x + 240, y + 140));
            continue;
        }
        // The symbol's bars across its middle, narrow and wide as encoded.
        const double symbolLeft = x + 15.48;
        EXPECT_EQ(barKinds(page, y + 79, symbolLeft - 3, symbolLeft + 102), bars);
        EXPECT_FALSE(anyInk(page, symbolLeft - 10, y + 60, symbolLeft - 1, y + 100));
        // Four stripes leaning right, feet on the symbol's base line.
        const double foot = x + 132.48;
        const double middle = y + 105 - 11.5;
        for (int stripe = 0; stripe < 4; ++stripe) {
            EXPECT_TRUE(inkAt(page, px(foot + 12 + 24 * stripe), px(middle)))
                << "stripe " << stripe;
            EXPECT_FALSE(inkAt(page, px(foot + 24 + 24 * stripe), px(middle))) << "gap " << stripe;
        }
        // Text above and below the symbol.
        EXPECT_TRUE(anyInk(page, x + 14.4, y + 11, x + 100, y + 24));
        EXPECT_TRUE(anyInk(page, x + 28.8, y + 118, x + 100, y + 128));
    }
}

// With usable fonts the preview shows the sheet and its Print button prints each copy;
// with unusable fonts there is only the warning.
TEST(QtTagSheetPrinter, PreviewShowsTheSheetAndItsPrintButtonPrintsEachCopy) {
    const std::pair<std::string, std::string> cases[] = {
        {kFontsFile, ""},
        {"x\r\nArial\r\n12\r\nbig\r\n10\r\n10\r\n10\r\n",
         "fonts.dat line 4: 'big' is not a whole number of points"},
    };
    for (const auto& [fontsFile, warning] : cases) {
        TempFolder folder;
        folder.write("fonts.dat", fontsFile);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((folder.path() / "unused.pdf").string()));
        FakePrinter jobs(600, 600, {0, 0});
        jobs.copies = 2;
        FakePrompter prompter;
        TagSheet sheet;
        sheet.tags[0] = TagValues{"DALLAS TX", "75201", "FC LTR 3D MACH", "", "7520125007"};

        int pages = -1;
        QString caption;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            poll.stop();
            caption = dialog->windowTitle();
            pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
            for (QAction* action : dialog->findChildren<QAction*>()) {
                if (action->text() == print) action->trigger();
            }
        });
        poll.start(10);
        QtTagSheetPrinter(printer, jobs, prompter, folder.path()).preview(sheet);

        if (warning.empty()) {
            EXPECT_EQ(caption, "Print Preview: Tray/Sack Tags");
            EXPECT_EQ(pages, 1);
            EXPECT_EQ(jobs.dialogs, 1);
            ASSERT_EQ(jobs.recording.jobs.size(), 2u);
            for (const RecordedJob& job : jobs.recording.jobs)
                EXPECT_EQ(job.title, "Tray/Sack Tags");
            EXPECT_TRUE(prompter.messages.empty());
        } else {
            EXPECT_EQ(caption, "");
            EXPECT_TRUE(jobs.recording.jobs.empty());
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text, warning);
        }
    }
}

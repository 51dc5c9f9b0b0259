// One sheet through Qt's real printing into a PDF on US Letter, rasterised with pdftoppm
// and read back; and the preview, whose Print button prints one job per copy.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "platform/QtPrintSurface.h"
#include "tags/QtTagSheetPrinter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRasterDpi = 300;
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

// A grey page read from pdftoppm's PGM output, addressed in points from the sheet's corner.
class Raster {
  public:
    explicit Raster(const fs::path& pgm) {
        std::ifstream in(pgm, std::ios::binary);
        std::string magic;
        int maxValue = 0;
        in >> magic >> width_ >> height_ >> maxValue;
        in.get();
        pixels_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        valid_ = magic == "P5" && pixels_.size() == static_cast<size_t>(width_) * height_;
    }
    bool valid() const { return valid_; }
    int width() const { return width_; }
    int height() const { return height_; }

    static int px(double points) { return static_cast<int>(points * kRasterDpi / 72.0 + 0.5); }
    bool inkAt(int x, int y) const {
        return static_cast<unsigned char>(pixels_[static_cast<size_t>(y) * width_ + x]) < 160;
    }
    bool ink(double xPt, double yPt) const { return inkAt(px(xPt), px(yPt)); }
    // Ink anywhere in the box, in points.
    bool anyInk(double left, double top, double right, double bottom) const {
        for (int y = px(top); y < px(bottom); ++y) {
            for (int x = px(left); x < px(right); ++x) {
                if (inkAt(x, y)) return true;
            }
        }
        return false;
    }
    // The widths in pixels of the dark runs along a row, from left to right (points).
    std::vector<int> runs(double yPt, double left, double right) const {
        std::vector<int> widths;
        int run = 0;
        for (int x = px(left); x <= px(right); ++x) {
            if (inkAt(x, px(yPt))) {
                ++run;
            } else if (run > 0) {
                widths.push_back(run);
                run = 0;
            }
        }
        return widths;
    }
    // Share of the pixels along a horizontal or vertical line with ink within a pixel of it.
    double inkShare(double x0, double y0, double x1, double y1) const {
        const bool across = y0 == y1;
        const int from = across ? px(x0) : px(y0);
        const int to = across ? px(x1) : px(y1);
        int inked = 0;
        for (int i = from; i < to; ++i) {
            bool any = false;
            for (int d = -1; d <= 1; ++d) {
                any = any || (across ? inkAt(i, px(y0) + d) : inkAt(px(x0) + d, i));
            }
            inked += any ? 1 : 0;
        }
        return static_cast<double>(inked) / (to - from);
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::string pixels_;
    bool valid_ = false;
};

struct Place {
    double x, y;
};
Place placeOf(int n) { return {n % 2 == 1 ? 54.0 : 306.0, 36.0 + 144.0 * ((n - 1) / 2)}; }

std::string barKinds(const std::vector<int>& widths) {
    std::string kinds;
    for (const int width : widths) kinds += width > 8 ? 'W' : 'N';
    return kinds;
}

// The bars only (every other element) of the symbol for the digits.
std::string expectedBars(const std::string& digits) {
    const char* patterns[] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                              "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};
    std::string bars = "NN";
    for (size_t i = 0; i < digits.size(); i += 2) bars += patterns[digits[i] - '0'];
    return bars + "WN";
}

Raster printToRaster(const TempFolder& folder, const TagSheet& sheet) {
    folder.write("fonts.dat", kFontsFile);
    const fs::path pdf = folder.path() / "tags.pdf";
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setResolution(kRasterDpi);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
        UnaskedPrinter jobs(printer);
        FakePrompter prompter;
        QtTagSheetPrinter tags(printer, jobs, prompter, folder.path());
        tags.print(sheet);
        EXPECT_TRUE(prompter.messages.empty());
    }
    const std::string command = "pdftoppm -r " + std::to_string(kRasterDpi) +
                                " -gray -singlefile '" + pdf.string() + "' '" +
                                (folder.path() / "page").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return Raster(folder.path() / "page.pgm");
}

bool pdftoppmAvailable() { return std::system("pdftoppm -v >/dev/null 2>&1") == 0; }

}  // namespace

TEST(QtTagSheetPrinter, TraySheetLandsOnLetterPaperWhereTheLayoutPutsIt) {
    if (!pdftoppmAvailable()) GTEST_SKIP() << "pdftoppm is not installed";
    TempFolder folder;
    TagSheet sheet;
    sheet.kind = TagKind::Tray;
    sheet.automationStripes = true;
    sheet.origin = "ORIGIN CITY TX";
    for (const int n : {1, 4, 10}) {
        sheet.tags[n - 1] = TagValues{"DALLAS TX", "75201", "FC LTR 3D MACH", "R001", "7520125007"};
    }
    const Raster page = printToRaster(folder, sheet);
    ASSERT_TRUE(page.valid());
    EXPECT_EQ(page.width(), Raster::px(612));
    EXPECT_EQ(page.height(), Raster::px(792));

    for (const int n : {1, 4, 10}) {
        SCOPED_TRACE(n);
        const Place place = placeOf(n);
        // The symbol's bars across its middle, narrow and wide as encoded.
        const double symbolLeft = place.x + 15.48;
        EXPECT_EQ(barKinds(page.runs(place.y + 79, symbolLeft - 3, symbolLeft + 102)),
                  expectedBars("7520125007"));
        EXPECT_FALSE(page.anyInk(symbolLeft - 10, place.y + 60, symbolLeft - 1, place.y + 100));
        // Four stripes leaning right, feet on the symbol's base line.
        const double foot = place.x + 132.48;
        const double middle = place.y + 105 - 11.5;
        for (int stripe = 0; stripe < 4; ++stripe) {
            EXPECT_TRUE(page.ink(foot + 12 + 24 * stripe, middle)) << "stripe " << stripe;
            EXPECT_FALSE(page.ink(foot + 24 + 24 * stripe, middle)) << "gap " << stripe;
        }
        // Text above and below the symbol.
        EXPECT_TRUE(page.anyInk(place.x + 14.4, place.y + 11, place.x + 100, place.y + 24));
        EXPECT_TRUE(page.anyInk(place.x + 28.8, place.y + 118, place.x + 100, place.y + 128));
    }
    for (const int n : {2, 3, 5, 6, 7, 8, 9}) {
        const Place place = placeOf(n);
        EXPECT_FALSE(page.anyInk(place.x, place.y, place.x + 240, place.y + 140)) << n;
    }
}

TEST(QtTagSheetPrinter, SackSheetHasItsCutLines) {
    if (!pdftoppmAvailable()) GTEST_SKIP() << "pdftoppm is not installed";
    TempFolder folder;
    TagSheet sheet;
    sheet.kind = TagKind::Sack;
    sheet.origin = "ORIGIN CITY TX";
    for (const int n : {2, 9}) {
        sheet.tags[n - 1] = TagValues{"DALLAS TX", "75201", "STD FLTS 3D", "", "75201000"};
    }
    const Raster page = printToRaster(folder, sheet);
    ASSERT_TRUE(page.valid());
    for (const int n : {2, 9}) {
        SCOPED_TRACE(n);
        const Place place = placeOf(n);
        const double symbolLeft = place.x + 12.24;
        EXPECT_EQ(barKinds(page.runs(place.y + 35, symbolLeft - 3, symbolLeft + 84)),
                  expectedBars("75201000"));
        // Dotted: along the bottom and up the right edge, ink on part of the way only.
        const double cutY = place.y + 69;
        const double right = place.x + 237.6;
        const double bottomShare = page.inkShare(place.x, cutY, right, cutY);
        const double rightShare = page.inkShare(right, cutY - 69, right, cutY);
        EXPECT_GT(bottomShare, 0.2);
        EXPECT_LT(bottomShare, 0.9);
        EXPECT_GT(rightShare, 0.2);
        EXPECT_LT(rightShare, 0.9);
        EXPECT_TRUE(page.anyInk(place.x + 108, cutY + 5, place.x + 125, cutY + 13));
        EXPECT_FALSE(page.anyInk(place.x + 60, cutY + 3, place.x + 100, cutY + 20));
    }
    const Place first = placeOf(1);
    EXPECT_FALSE(page.anyInk(first.x, first.y, first.x + 240, first.y + 90));
}

TEST(QtTagSheetPrinter, PreviewShowsTheSheetAndItsPrintButtonPrintsEachCopy) {
    TempFolder folder;
    folder.write("fonts.dat", kFontsFile);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder.path() / "unused.pdf").string()));
    FakePrinter jobs(600, 600, {0, 0});
    jobs.copies = 2;
    FakePrompter prompter;
    QtTagSheetPrinter tags(printer, jobs, prompter, folder.path());
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
    tags.preview(sheet);

    EXPECT_EQ(caption, "Print Preview: Tray/Sack Tags");
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(jobs.dialogs, 1);
    ASSERT_EQ(jobs.recording.jobs.size(), 2u);
    for (const RecordedJob& job : jobs.recording.jobs) EXPECT_EQ(job.title, "Tray/Sack Tags");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(QtTagSheetPrinter, PreviewWithUnusableFontsOnlyWarns) {
    TempFolder folder;
    folder.write("fonts.dat", "x\r\nArial\r\n12\r\nbig\r\n10\r\n10\r\n10\r\n");
    QPrinter printer(QPrinter::HighResolution);
    FakePrinter jobs(300, 300, {0, 0});
    FakePrompter prompter;
    QtTagSheetPrinter tags(printer, jobs, prompter, folder.path());
    bool previewShown = false;
    QTimer::singleShot(200, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            previewShown = true;
            dialog->close();
        }
    });
    tags.preview(TagSheet{});
    QTest::qWait(250);
    EXPECT_FALSE(previewShown);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "fonts.dat line 4: 'big' is not a whole number of points");
}

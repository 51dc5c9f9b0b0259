// The one-barcode dialog driven through its real widgets: typing, the barcode shown,
// the bars on screen, printing through a fake printer and the print preview.
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "FakePrinter.h"
#include "PrintedPage.h"
#include "TempFolder.h"
#include "engine/BarcodeEngine.h"
#include "single/TsingleDlog.h"

namespace {

class TsingleDlogTest : public testing::Test {
  protected:
    void SetUp() override { dialog.show(); }

    void enter(const char* street, const char* zip, const char* zip4, bool highrise = false) {
        QTest::keyClicks(dialog.Street, street);
        QTest::keyClicks(dialog.Zip, zip);
        QTest::keyClicks(dialog.Zip4, zip4);
        if (highrise) QTest::mouseClick(dialog.highrise, Qt::LeftButton);
    }

    std::string barcode() const { return dialog.Barcode->text().toStdString(); }

    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    std::vector<std::string> designators = DesignatorTable();
    BarcodeEngine engine{preferences, designators};
    FakePrinter printer{300, 300, {0, 0}};
    TsingleDlog dialog{engine, printer};
};

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

}  // namespace

TEST_F(TsingleDlogTest, ShowsItsControlsAsDesigned) {
    EXPECT_EQ(dialog.windowTitle(), "Create One Barcode At A Time");
    EXPECT_EQ(dialog.size(), QSize(435, 358));
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    // Centred within the width of the window frame.
    EXPECT_LE((dialog.geometry().center() - screenCentre).manhattanLength(), 4);

    const std::pair<QLabel*, const char*> labels[] = {
        {dialog.StreetLabel, "Enter address or two-digit delivery point:"},
        {dialog.ZipLabel, "Enter nine-digit zip code:"},
        {dialog.DashLabel, "-"},
        {dialog.highriselabel, "Check if considered a highrise by the USPS:"},
        {dialog.SequenceLabel, "Delivery point barcode digits:"},
        {dialog.barcodelabel, "Delivery point barcode:"},
    };
    for (const auto& [label, text] : labels) EXPECT_EQ(label->text(), text);
    EXPECT_EQ(dialog.Barcode->geometry(), QRect(207, 166, 162, 16));
    EXPECT_EQ(dialog.Barcode->text(), "");
    EXPECT_FALSE(dialog.highrise->isChecked());

    EXPECT_EQ(dialog.Print->text(), "Print Code");
    EXPECT_TRUE(dialog.Print->isDefault());
    EXPECT_EQ(dialog.Preview->text(), "Preview");
    EXPECT_EQ(dialog.Clear->text(), "Clear");
    EXPECT_EQ(dialog.Close->text(), "Close");
    EXPECT_FALSE(dialog.Print->isEnabled());
    EXPECT_FALSE(dialog.Preview->isEnabled());

    EXPECT_TRUE(dialog.Memo1->isReadOnly());
    EXPECT_EQ(dialog.Memo1->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(dialog.Memo1->toPlainText().startsWith(
        "Click \"Print Code\" to print the barcode in the bottom right corner of an envelope"));
    EXPECT_TRUE(dialog.Memo1->toPlainText().endsWith("to get it that close to the edge."));
}

TEST_F(TsingleDlogTest, TypedLettersTurnUpperCaseAndZipEditsKeepTheirLength) {
    enter("123 main st apt 5b", "123456", "67890");
    EXPECT_EQ(dialog.Street->text(), "123 MAIN ST APT 5B");
    EXPECT_EQ(dialog.Zip->text(), "12345");
    EXPECT_EQ(dialog.Zip4->text(), "6789");
}

TEST_F(TsingleDlogTest, BarcodeFollowsTheInputs) {
    struct Case {
        const char* street;
        const char* zip;
        const char* zip4;
        bool highrise;
        const char* barcode;  // empty: no barcode, nothing to print
    };
    const Case cases[] = {
        {"123 main st apt 5", "12345", "6789", false, "/123456789230/"},
        {"123 main st apt 5", "12345", "6789", true, "/123456789050/"},
        {"05", "12345", "6789", true, "/123456789050/"},  // a delivery point, not a unit
        {"5", "12345", "6789", false, "/123456789050/"},
        {"99", "12345", "6789", false, "/123456789997/"},
        {"", "12345", "6789", false, ""},  // no street: no barcode although 99 could be coded
        {"123 MAIN", "1234", "6789", false, ""},
        {"123 MAIN", "12345", "67a9", false, ""},
        {"123 MAIN", "12-45", "6789", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.street << " " << c.zip << "-" << c.zip4);
        QTest::mouseClick(dialog.Clear, Qt::LeftButton);
        enter(c.street, c.zip, c.zip4, c.highrise);
        EXPECT_EQ(barcode(), c.barcode);
        EXPECT_EQ(dialog.barPattern(), BarPattern(c.barcode));
        const bool printable = *c.barcode != '\0';
        EXPECT_EQ(dialog.Print->isEnabled(), printable);
        EXPECT_EQ(dialog.Preview->isEnabled(), printable);
    }
}

TEST_F(TsingleDlogTest, HighriseBoxRecomputesAtOnce) {
    enter("123 main st apt 5", "12345", "6789");
    EXPECT_EQ(barcode(), "/123456789230/");
    QTest::mouseClick(dialog.highrise, Qt::LeftButton);
    EXPECT_TRUE(dialog.highrise->isChecked());
    EXPECT_EQ(barcode(), "/123456789050/");
    QTest::mouseClick(dialog.highrise, Qt::LeftButton);
    EXPECT_EQ(barcode(), "/123456789230/");
}

TEST_F(TsingleDlogTest, ClearAndEveryActivationStartEmptyInStreet) {
    enter("123 main st apt 5", "12345", "6789", true);
    QTest::mouseClick(dialog.Clear, Qt::LeftButton);
    auto expectEmpty = [&] {
        EXPECT_EQ(dialog.Street->text(), "");
        EXPECT_EQ(dialog.Zip->text(), "");
        EXPECT_EQ(dialog.Zip4->text(), "");
        EXPECT_FALSE(dialog.highrise->isChecked());
        EXPECT_EQ(barcode(), "");
        EXPECT_EQ(dialog.barPattern(), "");
        EXPECT_FALSE(dialog.Print->isEnabled());
        EXPECT_EQ(dialog.focusWidget(), dialog.Street);
    };
    expectEmpty();

    enter("123 main st apt 5", "12345", "6789", true);
    QTest::mouseClick(dialog.Close, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.show();
    expectEmpty();
}

TEST_F(TsingleDlogTest, EscapeClosesTheDialog) {
    QTest::keyClick(dialog.Street, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TsingleDlogTest, BarsAreDrawnAtTheirPixelsWhenThePageIsPainted) {
    // Letters beyond the barcode's own bar.
    const QRect barArea(QPoint(189, 189), QPoint(400, 201));
    auto expectBars = [&](const std::string& pattern) {
        const QImage image = dialog.grab().toImage();
        for (int x = barArea.left(); x <= barArea.right(); ++x) {
            const int bar = (x - 190) / 3;
            const bool barColumn =
                x >= 190 && (x - 190) % 3 == 0 && bar < static_cast<int>(pattern.size());
            const int top = !barColumn ? 202 : pattern[bar] == 'L' ? 192 : 197;
            for (int y = barArea.top(); y <= barArea.bottom(); ++y) {
                const bool inBar = y >= top && y <= 200;
                ASSERT_EQ(Dark(image, x, y), inBar) << "pixel " << x << ", " << y;
            }
        }
    };
    enter("123 main st", "12345", "6789");
    ASSERT_EQ(dialog.barPattern().size(), 62u);
    expectBars(dialog.barPattern());

    // Another frame bar than "/" has no bars of its own.
    preferences[3] = "|";
    QTest::keyClick(dialog.Street, Qt::Key_A);
    ASSERT_EQ(dialog.barPattern().size(), 60u);
    expectBars(dialog.barPattern());

    QTest::mouseClick(dialog.Clear, Qt::LeftButton);
    expectBars("");
}

TEST_F(TsingleDlogTest, PrintCodePrintsOneJobPerCopyAndNothingWhenCancelled) {
    enter("123 main st", "12345", "6789");
    printer.copies = 0;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    EXPECT_EQ(printer.dialogs, 1);
    EXPECT_TRUE(printer.recording.jobs.empty());

    printer.copies = 3;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    EXPECT_EQ(printer.dialogs, 2);
    ASSERT_EQ(printer.recording.jobs.size(), 3u);
    for (const RecordedJob& job : printer.recording.jobs) {
        EXPECT_EQ(job.title, "Single Barcode");
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.calls.size(), 62u);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Only bars: another frame bar prints 60 of them.
    preferences[3] = "|";
    printer.copies = 1;
    QTest::keyClick(dialog.Street, Qt::Key_A);
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    ASSERT_EQ(printer.recording.jobs.size(), 4u);
    EXPECT_EQ(printer.recording.jobs.back().calls.size(), 60u);
}

TEST_F(TsingleDlogTest, PreviewShowsTheLetterPageThePrinterGets) {
    enter("123 main st", "12345", "6789");
    QTest::mouseClick(dialog.Preview, Qt::LeftButton);
    auto* preview = dialog.findChild<QPrintPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->printer()->pageLayout().pageSize().id(), QPageSize::Letter);
    auto* page = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->pageCount(), 1);

    // Printing from the preview draws the same page into the printer it is given.
    TempFolder folder;
    QPrinter pdf(QPrinter::HighResolution);
    SetUpLetterPdf(pdf, folder.path() / "preview.pdf", 18);
    emit preview->paintRequested(&pdf);
    EXPECT_EQ(pdf.docName(), "Single Barcode");
    ExpectEnvelopeBarsOnPage(folder.path() / "preview.pdf", dialog.barPattern());
    preview->close();
}

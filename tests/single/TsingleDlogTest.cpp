// The one-barcode dialog driven through its real widgets: typing, the barcode shown,
// the bars on screen, printing through a fake printer and the print preview.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "engine/BarcodeEngine.h"
#include "single/SingleBarcode.h"
#include "single/TsingleDlog.h"

namespace marrowby {

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
    FakePrompter prompter;
    TsingleDlog dialog{engine, printer, prompter};
};
}  // namespace

TEST_F(TsingleDlogTest, TypingIsUpperCasedAndTheBarcodeAndPrintingFollowTheInputs) {
    struct Case {
        const char* street;
        const char* zip;
        const char* zip4;
        bool highrise;
        const char* barcode;  // empty: no barcode, nothing to print
    };
    const Case cases[] = {
        {"123 main st apt 5", "123456", "67890", false, "/123456789230/"},  // ZIPs cut to size
        {"123 main st apt 5", "12345", "6789", true, "/123456789050/"},
        {"05", "12345", "6789", true, "/123456789050/"},  // a delivery point, not a unit
        {"5", "12345", "6789", false, "/123456789050/"},
        {"", "12345", "6789", false, ""},  // no street: no barcode although 99 could be coded
        {"123 MAIN", "1234", "6789", false, ""},
        {"123 MAIN", "12345", "67a9", false, ""},
    };
    EXPECT_TRUE(dialog.Print->isDefault());  // Enter prints
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.street << " " << c.zip << "-" << c.zip4);
        QTest::mouseClick(dialog.Clear, Qt::LeftButton);
        enter(c.street, c.zip, c.zip4, c.highrise);
        EXPECT_EQ(dialog.Street->text(), QString(c.street).toUpper());
        EXPECT_EQ(barcode(), c.barcode);
        EXPECT_EQ(dialog.barPattern(), DrawnBarPattern(c.barcode));
        EXPECT_EQ(dialog.Print->isEnabled(), *c.barcode != '\0');
        EXPECT_EQ(dialog.Preview->isEnabled(), *c.barcode != '\0');
    }
}

TEST_F(TsingleDlogTest, HighriseRecomputesAtOnceAndClearOrActivationStartEmptyInStreet) {
    auto expectEmpty = [&] {
        EXPECT_EQ(dialog.Street->text() + dialog.Zip->text() + dialog.Zip4->text(), "");
        EXPECT_FALSE(dialog.highrise->isChecked());
        EXPECT_EQ(barcode(), "");
        EXPECT_EQ(dialog.barPattern(), "");
        EXPECT_FALSE(dialog.Print->isEnabled());
        EXPECT_EQ(dialog.focusWidget(), dialog.Street);
    };
    enter("123 main st apt 5", "12345", "6789", true);
    EXPECT_EQ(barcode(), "/123456789050/");
    QTest::mouseClick(dialog.highrise, Qt::LeftButton);
    EXPECT_EQ(barcode(), "/123456789230/");
    QTest::mouseClick(dialog.highrise, Qt::LeftButton);
    QTest::mouseClick(dialog.Clear, Qt::LeftButton);
    expectEmpty();

    enter("123 main st apt 5", "12345", "6789", true);
    QTest::mouseClick(dialog.Close, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    expectEmpty();
    QTest::keyClick(dialog.Street, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TsingleDlogTest, BarsAreDrawnAtTheirPixelsWhenThePageIsPainted) {
    // Every pixel from one column before the first bar to beyond the last: a bar every
    // third column from x = 190, standing on row 200, full bars 9 rows tall, half bars 4.
    auto expectBars = [&](const std::string& pattern) {
        const QImage image = dialog.grab().toImage();
        for (int x = 189; x <= 400; ++x) {
            const int bar = (x - 190) / 3;
            const bool barColumn =
                x >= 190 && (x - 190) % 3 == 0 && bar < static_cast<int>(pattern.size());
            const int top = !barColumn ? 202 : pattern[bar] == 'L' ? 192 : 197;
            for (int y = 189; y <= 201; ++y) {
                ASSERT_EQ(qGray(image.pixel(x, y)) < 128, y >= top && y <= 200)
                    << "pixel " << x << ", " << y;
            }
        }
    };
    enter("123 main st", "12345", "6789");
    ASSERT_EQ(dialog.barPattern().size(), 62u);
    expectBars(dialog.barPattern());
    QTest::mouseClick(dialog.Clear, Qt::LeftButton);
    expectBars("");
}

TEST_F(TsingleDlogTest, PrintCodePrintsOneJobPerCopyNothingWhenCancelledAndPreviewPrintsOnRequest) {
    enter("123 main st", "12345", "6789");
    printer.copies = 0;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    EXPECT_EQ(printer.dialogs, 1);
    EXPECT_TRUE(printer.recording.jobs.empty());

    printer.copies = 3;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    ASSERT_EQ(printer.recording.jobs.size(), 3u);
    for (const RecordedJob& job : printer.recording.jobs) {
        EXPECT_EQ(job.title, "Single Barcode");
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.calls.size(), 62u);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The preview shows the same page and prints only when asked, through the dialog.
    QTest::mouseClick(dialog.Preview, Qt::LeftButton);
    ASSERT_EQ(printer.previewed.jobs.size(), 1u);
    EXPECT_EQ(printer.previewed.jobs[0].calls.size(), 62u);
    EXPECT_EQ(printer.recording.jobs.size(), 3u);
    printer.printFromPreview = true;
    printer.copies = 1;
    QTest::mouseClick(dialog.Preview, Qt::LeftButton);
    EXPECT_EQ(printer.dialogs, 3);
    EXPECT_EQ(printer.recording.jobs.size(), 4u);
}

// The frame-bar preference belongs to the user's barcode font: the text shows it, but the
// bars Marrowby draws itself always start and end with a full frame bar.
TEST_F(TsingleDlogTest, DrawnAndPrintedBarsHaveBothFrameBarsWhateverTheFrameCharacter) {
    for (const char* frame : {"/", "|", "", "!!"}) {
        SCOPED_TRACE(frame);
        preferences[3] = frame;
        QTest::mouseClick(dialog.Clear, Qt::LeftButton);
        enter("123 main st", "12345", "6789");
        EXPECT_EQ(barcode(), std::string(frame) + "123456789230" + frame);
        EXPECT_EQ(dialog.barPattern(), PostnetBarPattern("/123456789230/"));
        QTest::mouseClick(dialog.Print, Qt::LeftButton);
        const RecordedJob& job = printer.recording.jobs.back();
        ASSERT_EQ(job.calls.size(), 62u);
        // Full bars reach 9 points (38 pixels) above the baseline.
        EXPECT_EQ(job.calls.front().points[1].y, 3187);
        EXPECT_EQ(job.calls.back().points[1].y, 3187);
    }
}

// Preferences that could not be read leave the engine without a frame bar: typing a
// complete address shows why once, leaves the barcode empty, and nothing is thrown
// out of the change handlers.
TEST_F(TsingleDlogTest, AnErrorWhileTypingIsShownOnceAndTheBarcodeStaysEmpty) {
    preferences.clear();
    enter("123 main st", "12345", "6789");
    QTest::keyClicks(dialog.Street, " apt 4");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "prefs.dat line 4 is missing");
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(barcode(), "");
    EXPECT_FALSE(dialog.Print->isEnabled());

    preferences = {"Marrowby preferences", "0", "0", "/"};
    QTest::keyClick(dialog.Street, Qt::Key_A);
    EXPECT_EQ(barcode(), "/123456789230/");
    EXPECT_EQ(prompter.messages.size(), 1u);
}

}  // namespace marrowby

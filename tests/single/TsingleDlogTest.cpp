// The one-barcode dialog driven through its real widgets: typing, the barcode or the reason
// for none, the bars on screen, the tab chain, printing through a fake printer and the
// preview, with POSTNET or with Intelligent Mail chosen in mailer.dat.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "TestData.h"
#include "engine/BarcodeEngine.h"
#include "engine/IntelligentMail.h"
#include "single/EnvelopeImb.h"
#include "single/SingleBarcode.h"
#include "single/TsingleDlog.h"

namespace marrowby {

namespace {
std::string MailerFile(const std::string& choice, const std::string& next) {
    return "m\r\n" + choice + "\r\n912345678\r\n040\r\n00\r\n" + next + "\r\n";
}

// The Intelligent Mail bars of 123 MAIN ST in 12345-6789 (delivery point 23); the
// nine-digit mailer ID leaves six serial digits.
std::string ImbBars(int serial) {
    const std::string digits = std::to_string(serial);
    return IntelligentMailBars("00040912345678" + std::string(6 - digits.size(), '0') + digits,
                               "12345678923");
}

// The calls of an envelope printed alone with the bars of that serial.
std::vector<DrawCall> EnvelopeOf(int serial) {
    RecordingPrintSurface surface(300, 300, {0, 0});
    PrintJobs(surface, ImbEnvelopePrintout([serial] { return ImbBars(serial); }), 1);
    return surface.jobs.at(0).calls;
}

class TsingleDlogTest : public testing::Test {
  protected:
    void SetUp() override { dialog.show(); }

    void enter(const char* street, const char* zip, const char* zip4, bool highrise = false) {
        QTest::keyClicks(dialog.Street, street);
        QTest::keyClicks(dialog.Zip, zip);
        QTest::keyClicks(dialog.Zip4, zip4);
        if (highrise) QTest::mouseClick(dialog.highrise, Qt::LeftButton);
    }

    // Shows the dialog anew on a mailer.dat and types 123 MAIN ST 12345-6789.
    void openWithMailer(const std::string& mailer) {
        dialog.hide();
        settings.write("mailer.dat", mailer);
        dialog.setMailerFolder(settings.path());
        dialog.show();
        enter("123 main st", "12345", "6789");
    }

    std::string barcode() const { return dialog.Barcode->text().toStdString(); }

    // Every pixel from one column before the first bar to beyond the last: a bar every
    // third column from x = 190; full, ascending and POSTNET long bars reach row 192,
    // POSTNET short bars start at 197, other four-state bars at 195; descenders and
    // POSTNET bars stand on row 200, ascenders and trackers end at 197.
    void expectBarsOnScreen(const std::string& pattern) {
        const QImage image = dialog.grab().toImage();
        for (int x = 189; x <= 400; ++x) {
            const int bar = (x - 190) / 3;
            const bool column =
                x >= 190 && (x - 190) % 3 == 0 && bar < static_cast<int>(pattern.size());
            const char letter = column ? pattern[bar] : ' ';
            const int top = std::string("LFA").find(letter) != std::string::npos ? 192
                            : letter == 'S'                                      ? 197
                                                                                 : 195;
            const int bottom = letter == 'A' || letter == 'T' ? 197 : 200;
            for (int y = 189; y <= 201; ++y) {
                ASSERT_EQ(qGray(image.pixel(x, y)) < 128, column && y >= top && y <= bottom)
                    << "pixel " << x << ", " << y;
            }
        }
    }

    TempFolder settings;
    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    std::vector<std::string> designators = DesignatorTable();
    BarcodeEngine engine{preferences, designators};
    FakePrinter printer{300, 300, {0, 0}};
    FakePrompter prompter;
    TsingleDlog dialog{engine, printer, prompter};
};
}  // namespace

TEST_F(TsingleDlogTest, TypingIsUpperCasedAndTheBarcodeOrWhyThereIsNoneFollowsTheInputs) {
    EXPECT_TRUE(dialog.Print->isDefault());  // Enter prints
    for (const auto& row : CaseRows("single/typing.tsv")) {
        SCOPED_TRACE("row " + row[0]);
        QTest::mouseClick(dialog.Clear, Qt::LeftButton);
        enter(row[1].c_str(), row[2].c_str(), row[3].c_str(), row[4] == "yes");
        EXPECT_EQ(dialog.Street->text(), QString::fromStdString(row[1]).toUpper());
        EXPECT_EQ(barcode(), row[5]);
        EXPECT_EQ(dialog.barPattern(), DrawnBarPattern(row[5]));
        EXPECT_EQ(dialog.Print->isEnabled(), !row[5].empty());
        EXPECT_EQ(dialog.Preview->isEnabled(), !row[5].empty());
        EXPECT_EQ(dialog.NoCodeReason->text().toStdString(), row[6]);
    }
}

TEST_F(TsingleDlogTest, HighriseRecomputesAtOnceAndClearOrActivationStartEmptyInStreet) {
    auto expectEmpty = [&] {
        EXPECT_EQ(dialog.Street->text() + dialog.Zip->text() + dialog.Zip4->text(), "");
        EXPECT_FALSE(dialog.highrise->isChecked());
        EXPECT_EQ(barcode(), "");
        EXPECT_EQ(dialog.barPattern(), "");
        EXPECT_EQ(dialog.NoCodeReason->text(), "");
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

TEST_F(TsingleDlogTest, TabGoesThroughInputsAndButtonsButNotTheNote) {
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    enter("123 MAIN ST", "12345", "6789");
    dialog.Street->setFocus();
    std::vector<std::string> chain;
    for (int i = 0; i < 9; ++i) {
        chain.push_back(QApplication::focusWidget()->objectName().toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(chain, (std::vector<std::string>{"Street", "Zip", "Zip4", "highrise", "Print",
                                               "Preview", "Clear", "Close", "Street"}));
    EXPECT_EQ(dialog.Memo1->focusPolicy(), Qt::NoFocus);
}

TEST_F(TsingleDlogTest, PrintCodePrintsOneJobPerCopyNothingWhenCancelledAndPreviewPrintsOnRequest) {
    enter("123 main st", "12345", "6789");
    ASSERT_EQ(dialog.barPattern().size(), 62u);
    expectBarsOnScreen(dialog.barPattern());
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

    QTest::mouseClick(dialog.Clear, Qt::LeftButton);
    expectBarsOnScreen("");

    // The frame-bar preference belongs to the user's barcode font: the text shows it, but
    // the bars drawn here always start and end with a full frame bar, 9 points (38 pixels)
    // above the baseline.
    for (const char* frame : {"|", "", "!!"}) {
        SCOPED_TRACE(frame);
        preferences[3] = frame;
        QTest::mouseClick(dialog.Clear, Qt::LeftButton);
        enter("123 main st", "12345", "6789");
        EXPECT_EQ(barcode(), std::string(frame) + "123456789230" + frame);
        EXPECT_EQ(dialog.barPattern(), PostnetBarPattern("/123456789230/"));
        QTest::mouseClick(dialog.Print, Qt::LeftButton);
        const RecordedJob& job = printer.recording.jobs.back();
        ASSERT_EQ(job.calls.size(), 62u);
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

TEST_F(TsingleDlogTest, IntelligentMailShowsTheNextSerialsBarsAndEveryPrintedCopyTakesItsOwn) {
    // POSTNET chosen in mailer.dat: no serial taken.
    openWithMailer(MailerFile("0", "41"));
    EXPECT_EQ(barcode(), "/123456789230/");
    EXPECT_EQ(dialog.barPattern(), PostnetBarPattern("/123456789230/"));
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    EXPECT_EQ(printer.recording.jobs.at(0).calls.size(), 62u);
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("0", "41"));

    openWithMailer(MailerFile("1", "41"));
    EXPECT_EQ(barcode(), "12345678923");
    ASSERT_EQ(dialog.barPattern(), ImbBars(41));
    expectBarsOnScreen(dialog.barPattern());
    printer.copies = 3;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    ASSERT_EQ(printer.recording.jobs.size(), 4u);
    for (int copy = 0; copy < 3; ++copy)
        EXPECT_EQ(printer.recording.jobs[copy + 1].calls, EnvelopeOf(41 + copy)) << copy;
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "44"));
    EXPECT_EQ(dialog.barPattern(), ImbBars(44));

    // Cancelling the print dialog uses no serial; the preview shows the next serial's bars
    // and uses none; printing from it does.
    printer.copies = 0;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    QTest::mouseClick(dialog.Preview, Qt::LeftButton);
    ASSERT_EQ(printer.previewed.jobs.size(), 1u);
    EXPECT_EQ(printer.previewed.jobs[0].calls, EnvelopeOf(44));
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "44"));
    printer.printFromPreview = true;
    printer.copies = 1;
    QTest::mouseClick(dialog.Preview, Qt::LeftButton);
    ASSERT_EQ(printer.recording.jobs.size(), 5u);
    EXPECT_EQ(printer.recording.jobs[4].calls, EnvelopeOf(44));
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "45"));

    // The last serial prints; after it nothing does, and the file keeps its value.
    openWithMailer(MailerFile("1", "999999"));
    printer.copies = 2;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    EXPECT_EQ(printer.recording.jobs.size(), 6u);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "The serial number 1000000 is too large for the mailer ID 912345678.");
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "1000000"));
    EXPECT_TRUE(dialog.barPattern().empty());
}

}  // namespace marrowby

// The one-barcode dialog with Intelligent Mail chosen in mailer.dat: the 65 bars shown for
// the next serial, every printed copy taking its own serial, and POSTNET otherwise.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "engine/BarcodeEngine.h"
#include "engine/IntelligentMail.h"
#include "single/TsingleDlog.h"

namespace marrowby {

namespace {

std::string MailerFile(const std::string& choice, const std::string& next) {
    return "m\r\n" + choice + "\r\n912345678\r\n040\r\n00\r\n" + next + "\r\n";
}

// 123 MAIN ST in 12345-6789 has delivery point 23; the nine-digit mailer ID leaves six
// serial digits.
std::string Bars(int serial) {
    const std::string digits = std::to_string(serial);
    return IntelligentMailBars("00040912345678" + std::string(6 - digits.size(), '0') + digits,
                               "12345678923");
}

// The letters a job's lines stand for, read back from where each line starts and ends.
std::string LettersOf(const RecordedJob& job) {
    int base = 0, top = 1 << 30;
    for (const DrawCall& call : job.calls) {
        base = std::max(base, call.points[0].y);
        top = std::min(top, call.points[1].y);
    }
    std::string letters;
    for (const DrawCall& call : job.calls) {
        const bool down = call.points[0].y == base;
        const bool up = call.points[1].y == top;
        letters += up ? (down ? 'F' : 'A') : (down ? 'D' : 'T');
    }
    return letters;
}

class TsingleDlogImbTest : public testing::Test {
  protected:
    void open(const std::string& mailer) {
        settings.write("mailer.dat", mailer);
        dialog.setMailerFolder(settings.path());
        dialog.show();
        QTest::keyClicks(dialog.Street, "123 main st");
        QTest::keyClicks(dialog.Zip, "12345");
        QTest::keyClicks(dialog.Zip4, "6789");
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

TEST_F(TsingleDlogImbTest, ShowsTheNextSerialsBarsAndEveryPrintedCopyTakesItsOwn) {
    open(MailerFile("1", "41"));
    EXPECT_EQ(dialog.Barcode->text(), "12345678923");
    ASSERT_EQ(dialog.barPattern(), Bars(41));

    // On screen: ascenders from the top row, descenders to the baseline, trackers between.
    const QImage image = dialog.grab().toImage();
    for (int i = 0; i < 65; ++i) {
        const char bar = dialog.barPattern()[i];
        const int top = bar == 'F' || bar == 'A' ? 192 : 195;
        const int bottom = bar == 'F' || bar == 'D' ? 200 : 197;
        for (int y = 189; y <= 201; ++y) {
            ASSERT_EQ(qGray(image.pixel(190 + 3 * i, y)) < 128, y >= top && y <= bottom)
                << "bar " << i << " row " << y;
        }
    }

    printer.copies = 3;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    ASSERT_EQ(printer.recording.jobs.size(), 3u);
    for (int copy = 0; copy < 3; ++copy) {
        EXPECT_EQ(printer.recording.jobs[copy].calls.size(), 65u);
        EXPECT_EQ(LettersOf(printer.recording.jobs[copy]), Bars(41 + copy)) << "copy " << copy;
    }
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "44"));
    EXPECT_EQ(dialog.barPattern(), Bars(44));

    // Cancelling the print dialog uses no serial.
    printer.copies = 0;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "44"));

    // The preview shows the next serial's bars and uses none; printing from it does.
    QTest::mouseClick(dialog.Preview, Qt::LeftButton);
    ASSERT_EQ(printer.previewed.jobs.size(), 1u);
    EXPECT_EQ(LettersOf(printer.previewed.jobs[0]), Bars(44));
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "44"));
    printer.printFromPreview = true;
    printer.copies = 1;
    QTest::mouseClick(dialog.Preview, Qt::LeftButton);
    ASSERT_EQ(printer.recording.jobs.size(), 4u);
    EXPECT_EQ(LettersOf(printer.recording.jobs[3]), Bars(44));
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "45"));
}

TEST_F(TsingleDlogImbTest, PostnetChosenOrSerialsUsedUp) {
    open(MailerFile("0", "41"));
    EXPECT_EQ(dialog.Barcode->text(), "/123456789230/");
    EXPECT_EQ(dialog.barPattern(), PostnetBarPattern("/123456789230/"));
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    ASSERT_EQ(printer.recording.jobs.size(), 1u);
    EXPECT_EQ(printer.recording.jobs[0].calls.size(), 62u);
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("0", "41"));

    // The last serial prints; after it nothing does, and the file keeps its value.
    dialog.hide();
    open(MailerFile("1", "999999"));
    printer.copies = 2;
    QTest::mouseClick(dialog.Print, Qt::LeftButton);
    EXPECT_EQ(printer.recording.jobs.size(), 2u);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "The serial number 1000000 is too large for the mailer ID 912345678.");
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "1000000"));
    EXPECT_TRUE(dialog.barPattern().empty());
}

}  // namespace marrowby

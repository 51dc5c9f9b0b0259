// The tag sheet's labels in the mailer settings dialog, driven through its real widgets:
// the 24-digit labels only with a valid mailer ID, both digits and a fitting tray
// serial, the reason shown, and OK writing lines 6 to 9 of mailer.dat.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "FakeHelp.h"
#include "RadioGroupClick.h"
#include "TempFolder.h"
#include "app/TMailerDlog.h"

namespace marrowby {

namespace {

void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

}  // namespace

TEST(MailerTrayLabelsDlog, TwentyFourDigitLabelsNeedMailerIdBothDigitsAndAFittingSerial) {
    FakeHelp help;
    TMailerDlog dialog(help, nullptr);
    dialog.setSettings(MailerSettings{});
    dialog.show();
    EXPECT_EQ(dialog.trayLabelChoice->itemIndex(), 0);
    const struct {
        const char* mailerId;
        const char* processingCode;
        const char* labelType;
        const char* serial;
        const char* reasonStart;  // empty: the labels can be chosen
    } cases[] = {
        {"", "1", "1", "1", "The mailer ID must be six digits"},
        {"923456", "1", "1", "1", "The mailer ID must be six digits"},
        {"123456", "", "1", "1", "Set the processing code"},
        {"123456", "1", "", "1", "Set the label type"},
        {"123456", "1", "8", "", "The next tray serial number must be a number of at most 8"},
        {"912345678", "1", "8", "123456",
         "The next tray serial number must be a number of at "
         "most 5 digits beside a mailer ID of 9 digits."},
        {"912345678", "1", "8", "99999", ""},
        {"123456", "0", "1", "12345678", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mailerId) + " " + c.processingCode + " " + c.labelType + " " +
                     c.serial);
        Type(dialog.mailerId, c.mailerId);
        Type(dialog.processingCode, c.processingCode);
        Type(dialog.labelType, c.labelType);
        Type(dialog.nextTraySerial, c.serial);
        EXPECT_EQ(dialog.trayLabelChoice->item(1)->isEnabled(), *c.reasonStart == '\0');
        const QString reason = dialog.trayReason->text();
        EXPECT_TRUE(*c.reasonStart ? reason.startsWith(c.reasonStart) : reason.isEmpty())
            << reason.toStdString();
    }
    // The service type is not needed for tray labels; emptying a digit after choosing
    // them falls back to the older labels. Only one digit can be typed.
    ClickItem(dialog.trayLabelChoice, 1);
    EXPECT_EQ(dialog.trayLabelChoice->itemIndex(), 1);
    Type(dialog.labelType, "12");
    EXPECT_EQ(dialog.labelType->text(), "1");
    Type(dialog.processingCode, "");
    EXPECT_EQ(dialog.trayLabelChoice->itemIndex(), 0);
    EXPECT_FALSE(dialog.trayLabelChoice->item(1)->isEnabled());
}

TEST(MailerTrayLabelsDlog, OkWritesTheTrayLinesAndKeepsTheOthers) {
    const struct {
        const char* file;
        const char* written;
    } cases[] = {
        // A file without the tray lines gets them once the labels are chosen.
        {"t\r\n0\r\n123456\r\n\r\n00\r\n9\r\n",
         "t\r\n0\r\n123456\r\n\r\n00\r\n9\r\n1\r\n77\r\n3\r\n8\r\n"},
        // An unknown label kind, kept while the older labels stay, is replaced when the
        // new ones are chosen; the lines after the tray lines stay byte for byte.
        {"t\r\n0\r\n123456\r\n\r\n00\r\n9\r\nL\r\n5\r\n\r\n\r\nextra\xFF\r\n",
         "t\r\n0\r\n123456\r\n\r\n00\r\n9\r\n1\r\n77\r\n3\r\n8\r\nextra\xFF\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder folder;
        folder.write("mailer.dat", c.file);
        FakeHelp help;
        TMailerDlog dialog(help, nullptr);
        QTimer::singleShot(0, &dialog, [&dialog] {
            Type(dialog.nextTraySerial, "77");
            Type(dialog.processingCode, "3");
            Type(dialog.labelType, "8");
            ClickItem(dialog.trayLabelChoice, 1);
            QTest::mouseClick(dialog.okBtn, Qt::LeftButton);
            if (dialog.isVisible()) dialog.reject();
        });
        ASSERT_TRUE(EditMailerSettings(dialog, folder.path()));
        EXPECT_EQ(folder.read("mailer.dat"), c.written);
        const MailerSettings read = LoadMailerSettings(folder.path());
        EXPECT_TRUE(read.intelligentMailTrayLabels());
        EXPECT_EQ(read.traySerial(), 77u);
    }
}

}  // namespace marrowby

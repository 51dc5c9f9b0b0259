// The mailer settings dialog driven through its real widgets: Intelligent Mail and the
// tag sheet's 24-digit labels only with a usable identity, the reason shown, OK writing
// mailer.dat keeping other lines, refusals and Cancel.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "DialogInput.h"
#include "FakeHelp.h"
#include "TempFolder.h"
#include "app/TMailerDlog.h"

namespace marrowby {

TEST(MailerDlog, ChoicesNeedAValidIdentityAndFallBackWhenItIsSpoiled) {
    FakeHelp help;
    TMailerDlog dialog(help, nullptr);
    dialog.setSettings(MailerSettings{});
    dialog.show();
    EXPECT_EQ(dialog.barcodeChoice->itemIndex(), 0);
    EXPECT_EQ(dialog.trayLabelChoice->itemIndex(), 0);
    const struct {
        const char* mailerId;
        const char* serviceType;
        const char* processingCode;
        const char* labelType;
        const char* traySerial;
        const char* imbReason;   // the start of the reason; empty: Intelligent Mail allowed
        const char* trayReason;  // the same for the 24-digit tray labels
    } cases[] = {
        {"", "", "1", "1", "1", "The mailer ID must be six digits",
         "The mailer ID must be six digits"},
        // Tray labels need no service type.
        {"123456", "", "1", "1", "1", "The service type identifier must be three digits.", ""},
        {"123456", "30", "1", "1", "1", "The service type identifier", ""},
        // Six digits may not start with 9, nine digits must.
        {"912345", "300", "1", "1", "1", "The mailer ID", "The mailer ID must be six digits"},
        {"12345678", "300", "1", "1", "1", "The mailer ID", "The mailer ID"},
        {"812345678", "300", "1", "1", "1", "The mailer ID", "The mailer ID"},
        {"123456", "300", "", "1", "1", "", "Set the processing code"},
        {"123456", "300", "1", "", "1", "", "Set the label type"},
        {"123456", "300", "1", "8", "", "",
         "The next tray serial number must be a number of at most 8"},
        {"912345678", "300", "1", "8", "123456", "",
         "The next tray serial number must be a number of at most 5 digits beside a mailer "
         "ID of 9 digits."},
        {"912345678", "300", "1", "8", "99999", "", ""},
        {"123456", "300", "0", "1", "12345678", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mailerId << " " << c.serviceType << " "
                                        << c.processingCode << c.labelType << " " << c.traySerial);
        Type(dialog.mailerId, c.mailerId);
        Type(dialog.serviceType, c.serviceType);
        Type(dialog.processingCode, c.processingCode);
        Type(dialog.labelType, c.labelType);
        Type(dialog.nextTraySerial, c.traySerial);
        for (const auto& [choice, label, start] :
             {std::tuple(dialog.barcodeChoice, dialog.reason, c.imbReason),
              std::tuple(dialog.trayLabelChoice, dialog.trayReason, c.trayReason)}) {
            const QString reason = label->text();
            EXPECT_EQ(choice->item(1)->isEnabled(), *start == '\0') << reason.toStdString();
            EXPECT_TRUE(*start ? reason.startsWith(start) : reason.isEmpty())
                << reason.toStdString();
        }
    }
    // The barcode identifier's second digit is limited too.
    Type(dialog.barcodeId, "05");
    EXPECT_FALSE(dialog.barcodeChoice->item(1)->isEnabled());
    EXPECT_TRUE(dialog.reason->text().startsWith("The barcode identifier must be two digits"));
    Type(dialog.barcodeId, "04");
    // Spoiling the identity after choosing falls back to POSTNET and the older labels.
    ClickItem(dialog.barcodeChoice, 1);
    ClickItem(dialog.trayLabelChoice, 1);
    EXPECT_EQ(dialog.barcodeChoice->itemIndex(), 1);
    EXPECT_EQ(dialog.trayLabelChoice->itemIndex(), 1);
    Type(dialog.labelType, "12");  // only one digit can be typed
    EXPECT_EQ(dialog.labelType->text(), "1");
    Type(dialog.processingCode, "");
    EXPECT_EQ(dialog.trayLabelChoice->itemIndex(), 0);
    EXPECT_FALSE(dialog.trayLabelChoice->item(1)->isEnabled());
    EXPECT_EQ(dialog.barcodeChoice->itemIndex(), 1);
    Type(dialog.mailerId, "12345");
    EXPECT_EQ(dialog.barcodeChoice->itemIndex(), 0);
    EXPECT_FALSE(dialog.barcodeChoice->item(1)->isEnabled());

    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.mailerId, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{HelpContext::Mailer});
}

// Runs EditMailerSettings on mailer.dat holding `file` (none when empty), typing and
// pressing OK; a refused value keeps the dialog open with its reason and writes nothing.
TEST(MailerDlog, OkWritesTheSettingsKeepingOtherLinesAndRefusalsWriteNothing) {
    const std::string refused = "m\r\n1\r\n912345678\r\n301\r\n00\r\n7\r\n";
    const auto tray = [](TMailerDlog& d) {
        Type(d.nextTraySerial, "77");
        Type(d.processingCode, "3");
        Type(d.labelType, "8");
        ClickItem(d.trayLabelChoice, 1);
    };
    const struct {
        std::string file;
        std::function<void(TMailerDlog&)> typing;
        std::string written;  // empty: refused, the reason
        const char* reason;
    } cases[] = {
        {"mine\r\n0\r\n\r\n\r\n00\r\n1\r\nL\r\n42\r\n1\r\n8\r\nextra\xFF\r\n",
         [](TMailerDlog& d) {
             Type(d.mailerId, "123456");
             Type(d.serviceType, "301");
             Type(d.nextSerial, "5000");
             ClickItem(d.barcodeChoice, 1);
         },
         "mine\r\n1\r\n123456\r\n301\r\n00\r\n5000\r\nL\r\n42\r\n1\r\n8\r\nextra\xFF\r\n", ""},
        // A new folder gets the default lines with what was typed; letters cannot be typed.
        {"",
         [](TMailerDlog& d) {
             Type(d.mailerId, "9a12345678");
             Type(d.serviceType, "040");
         },
         "Marrowby mailer settings\r\n0\r\n912345678\r\n040\r\n00\r\n1\r\n", ""},
        // A file without the tray lines gets them once the labels are chosen.
        {"t\r\n0\r\n123456\r\n\r\n00\r\n9\r\n", tray,
         "t\r\n0\r\n123456\r\n\r\n00\r\n9\r\n1\r\n77\r\n3\r\n8\r\n", ""},
        // An unknown label kind, kept while the older labels stay, is replaced when the
        // new ones are chosen; the lines after the tray lines stay byte for byte.
        {"t\r\n0\r\n123456\r\n\r\n00\r\n9\r\nL\r\n5\r\n\r\n\r\nextra\xFF\r\n", tray,
         "t\r\n0\r\n123456\r\n\r\n00\r\n9\r\n1\r\n77\r\n3\r\n8\r\nextra\xFF\r\n", ""},
        {refused, [](TMailerDlog& d) { Type(d.nextSerial, "1000000"); }, "",
         "The next serial number is larger than 999999, the largest for a mailer ID of 9 "
         "digits."},
        {refused, [](TMailerDlog& d) { Type(d.nextSerial, ""); }, "",
         "The next serial number must be a number of one to nine digits."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder folder;
        if (!c.file.empty()) folder.write("mailer.dat", c.file);
        FakeHelp help;
        TMailerDlog dialog(help, nullptr);
        bool openAfterOk = false;
        std::string reasonShown;
        QTimer::singleShot(0, &dialog, [&] {
            c.typing(dialog);
            if (c.written.empty()) ClickItem(dialog.barcodeChoice, 1);
            QTest::mouseClick(dialog.okBtn, Qt::LeftButton);
            openAfterOk = dialog.isVisible();
            reasonShown = dialog.reason->text().toStdString();
            if (openAfterOk) dialog.reject();
        });
        EXPECT_EQ(EditMailerSettings(dialog, folder.path()), !c.written.empty());
        EXPECT_EQ(openAfterOk, c.written.empty());
        EXPECT_EQ(folder.read("mailer.dat"), c.written.empty() ? c.file : c.written);
        if (c.written.empty()) {
            EXPECT_EQ(reasonShown, c.reason);
        }
    }
}

}  // namespace marrowby

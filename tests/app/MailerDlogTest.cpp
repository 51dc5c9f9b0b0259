// The mailer settings dialog driven through its real widgets: Intelligent Mail only with
// a usable identity, OK writing mailer.dat keeping other lines, refusals and Cancel.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "FakeHelp.h"
#include "RadioGroupClick.h"
#include "TempFolder.h"
#include "app/TMailerDlog.h"

namespace {

void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Runs EditMailerSettings on a folder whose mailer.dat holds `file` (none when empty).
struct DialogRun {
    TempFolder folder;
    FakeHelp help;
    TMailerDlog dialog{help, nullptr};
    bool ok = false;
    std::string reasonShown;

    DialogRun(const std::string& file, std::function<void(TMailerDlog&)> actions) {
        if (!file.empty()) folder.write("mailer.dat", file);
        QTimer::singleShot(0, &dialog, [this, actions] {
            actions(dialog);
            reasonShown = dialog.reason->text().toStdString();
            if (dialog.isVisible()) dialog.reject();
        });
        ok = EditMailerSettings(dialog, folder.path());
    }
};

}  // namespace

TEST(MailerDlog, IntelligentMailNeedsAValidMailerIdAndServiceType) {
    FakeHelp help;
    TMailerDlog dialog(help, nullptr);
    dialog.setSettings(MailerSettings{});
    dialog.show();
    EXPECT_EQ(dialog.barcodeChoice->itemIndex(), 0);
    const struct {
        const char* mailerId;
        const char* serviceType;
        bool allowed;
        const char* reasonStart;
    } cases[] = {
        {"", "", false, "The mailer ID must be six digits"},
        {"123456", "", false, "The service type identifier must be three digits."},
        {"123456", "30", false, "The service type identifier"},
        {"912345", "300", false, "The mailer ID"},  // six digits may not start with 9
        {"12345678", "300", false, "The mailer ID"},
        {"812345678", "300", false, "The mailer ID"},  // nine digits must start with 9
        {"123456", "300", true, ""},
        {"912345678", "300", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mailerId) + " / " + c.serviceType);
        Type(dialog.mailerId, c.mailerId);
        Type(dialog.serviceType, c.serviceType);
        EXPECT_EQ(dialog.barcodeChoice->item(1)->isEnabled(), c.allowed);
        EXPECT_TRUE(dialog.reason->text().startsWith(c.reasonStart));
    }
    // The barcode identifier's second digit is limited too.
    Type(dialog.barcodeId, "05");
    EXPECT_FALSE(dialog.barcodeChoice->item(1)->isEnabled());
    EXPECT_TRUE(dialog.reason->text().startsWith("The barcode identifier must be two digits"))
        << dialog.reason->text().toStdString();
    Type(dialog.barcodeId, "04");
    // Spoiling the mailer ID after choosing Intelligent Mail falls back to POSTNET.
    ClickItem(dialog.barcodeChoice, 1);
    EXPECT_EQ(dialog.barcodeChoice->itemIndex(), 1);
    Type(dialog.mailerId, "12345");
    EXPECT_EQ(dialog.barcodeChoice->itemIndex(), 0);
    EXPECT_FALSE(dialog.barcodeChoice->item(1)->isEnabled());

    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.mailerId, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{HelpContext::Mailer});
}

TEST(MailerDlog, OkWritesTheSettingsAndKeepsOtherLines) {
    DialogRun run("mine\r\n0\r\n\r\n\r\n00\r\n1\r\nL\r\n42\r\n1\r\n8\r\nextra\xFF\r\n",
                  [](TMailerDlog& dialog) {
                      Type(dialog.mailerId, "123456");
                      Type(dialog.serviceType, "301");
                      Type(dialog.nextSerial, "5000");
                      ClickItem(dialog.barcodeChoice, 1);
                      QTest::mouseClick(dialog.okBtn, Qt::LeftButton);
                  });
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.folder.read("mailer.dat"),
              "mine\r\n1\r\n123456\r\n301\r\n00\r\n5000\r\nL\r\n42\r\n1\r\n8\r\nextra\xFF\r\n");

    // A new folder gets the default lines with what was typed; letters cannot be typed.
    DialogRun fresh("", [](TMailerDlog& dialog) {
        Type(dialog.mailerId, "9a12345678");
        Type(dialog.serviceType, "040");
        QTest::mouseClick(dialog.okBtn, Qt::LeftButton);
    });
    EXPECT_TRUE(fresh.ok);
    EXPECT_EQ(fresh.folder.read("mailer.dat"),
              "Marrowby mailer settings\r\n0\r\n912345678\r\n040\r\n00\r\n1\r\n");
}

TEST(MailerDlog, RefusedValuesKeepTheDialogOpenAndCancelWritesNothing) {
    const std::string original = "m\r\n1\r\n912345678\r\n301\r\n00\r\n7\r\n";
    const struct {
        std::function<void(TMailerDlog&)> typing;
        const char* reason;
    } cases[] = {
        {[](TMailerDlog& d) { Type(d.nextSerial, "1000000"); },
         "The next serial number is larger than 999999, the largest for a mailer ID of 9 "
         "digits."},
        {[](TMailerDlog& d) { Type(d.nextSerial, ""); },
         "The next serial number must be a number of one to nine digits."},
    };
    for (const auto& c : cases) {
        DialogRun run(original, [&](TMailerDlog& dialog) {
            c.typing(dialog);
            ClickItem(dialog.barcodeChoice, 1);
            QTest::mouseClick(dialog.okBtn, Qt::LeftButton);
            EXPECT_TRUE(dialog.isVisible()) << c.reason;
        });
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(run.reasonShown, c.reason);
        EXPECT_EQ(run.folder.read("mailer.dat"), original);
    }
}

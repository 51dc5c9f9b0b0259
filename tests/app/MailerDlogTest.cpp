// The mailer settings dialog driven through its real widgets: Intelligent Mail and the
// tag sheet's 24-digit labels only with a usable identity, the reason shown, falling back
// when it is spoiled, OK writing mailer.dat keeping other lines, refusals and Cancel
// (tests/data/app/mailer-dialog-*.tsv).
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "FormDriving.h"
#include "TempFolder.h"
#include "TestData.h"
#include "app/TMailerDlog.h"

namespace marrowby {

namespace {
void EnterInto(TMailerDlog& d, const std::string& items) {
    Enter(items, {{"barcodeChoice", d.barcodeChoice}, {"trayLabelChoice", d.trayLabelChoice}},
          {{"mailerId", d.mailerId},
           {"serviceType", d.serviceType},
           {"barcodeId", d.barcodeId},
           {"nextSerial", d.nextSerial},
           {"nextTraySerial", d.nextTraySerial},
           {"processingCode", d.processingCode},
           {"labelType", d.labelType}});
}
}  // namespace

TEST(MailerDlog, ChoicesNeedAValidIdentityAndFallBackWhenItIsSpoiled) {
    FakeHelp help;
    TMailerDlog dialog(help, nullptr);
    dialog.setSettings(MailerSettings{});
    dialog.show();
    for (const auto& row : CaseRows("app/mailer-dialog-choices.tsv", 6)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        EnterInto(dialog, row[2]);
        for (const auto& [choice, label, start] :
             {std::tuple(dialog.barcodeChoice, dialog.reason, row[3]),
              std::tuple(dialog.trayLabelChoice, dialog.trayReason, row[4])}) {
            const QString reason = label->text();
            EXPECT_EQ(choice->item(1)->isEnabled(), start.empty()) << reason.toStdString();
            EXPECT_TRUE(reason.startsWith(QString::fromStdString(start)) &&
                        reason.isEmpty() == start.empty())
                << reason.toStdString();
        }
        EXPECT_EQ(std::to_string(dialog.barcodeChoice->itemIndex()) + " " +
                      std::to_string(dialog.trayLabelChoice->itemIndex()),
                  row[5]);
    }
    EXPECT_EQ(dialog.labelType->text(), "1");  // typed as 12

    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.mailerId, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{HelpContext::Mailer});
}

// EditMailerSettings types and presses OK; a refused value keeps the dialog open with its
// reason and writes nothing.
TEST(MailerDlog, OkWritesTheSettingsKeepingOtherLinesAndRefusalsWriteNothing) {
    for (const auto& row : CaseRows("app/mailer-dialog-ok.tsv", 6)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        const std::string &file = row[2], &written = row[4];
        TempFolder folder;
        if (file != "(none)") folder.write("mailer.dat", file);
        FakeHelp help;
        TMailerDlog dialog(help, nullptr);
        bool openAfterOk = false;
        std::string reasonShown;
        QTimer::singleShot(0, &dialog, [&] {
            EnterInto(dialog, row[3]);
            QTest::mouseClick(dialog.okBtn, Qt::LeftButton);
            openAfterOk = dialog.isVisible();
            reasonShown = dialog.reason->text().toStdString();
            if (openAfterOk) dialog.reject();
        });
        EXPECT_EQ(EditMailerSettings(dialog, folder.path()), !written.empty());
        EXPECT_EQ(openAfterOk, written.empty());
        EXPECT_EQ(folder.read("mailer.dat"), written.empty() ? file : written);
        if (written.empty()) {
            EXPECT_EQ(reasonShown, row[5]);
        }
    }
}

}  // namespace marrowby

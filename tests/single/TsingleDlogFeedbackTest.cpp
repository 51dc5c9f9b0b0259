// The one-barcode dialog as a keyboard user meets it: why there is no barcode, said where
// the bars would be, and a tab chain through the inputs and buttons only.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "engine/BarcodeEngine.h"
#include "single/TsingleDlog.h"

namespace marrowby {

namespace {
struct Dialog {
    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    std::vector<std::string> designators = DesignatorTable();
    BarcodeEngine engine{preferences, designators};
    FakePrinter printer{300, 300, {0, 0}};
    FakePrompter prompter;
    TsingleDlog dialog{engine, printer, prompter};
};
}  // namespace

TEST(TsingleDlogFeedback, WhyThereIsNoBarcodeIsShownWhereTheBarsWouldBe) {
    const struct {
        const char* street;
        const char* zip;
        const char* zip4;
        const char* reason;
    } cases[] = {
        {"123 MAIN ST", "", "", ""},  // nothing typed in the ZIP yet
        {"123 MAIN ST", "1234O", "", "ZIP must be 5 digits"},
        {"123 MAIN ST", "123", "", "ZIP must be 5 digits"},
        {"123 MAIN ST", "", "6789", "ZIP must be 5 digits"},
        {"123 MAIN ST", "12345", "", "+4 must be 4 digits"},
        {"123 MAIN ST", "12345", "67-9", "+4 must be 4 digits"},
        {"", "12345", "6789", "Enter an address or delivery point"},
        {"123 MAIN ST", "12345", "6789", ""},  // the bars instead
    };
    Dialog d;
    d.dialog.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.street << " " << c.zip << "-" << c.zip4);
        QTest::mouseClick(d.dialog.Clear, Qt::LeftButton);
        QTest::keyClicks(d.dialog.Street, c.street);
        QTest::keyClicks(d.dialog.Zip, c.zip);
        QTest::keyClicks(d.dialog.Zip4, c.zip4);
        EXPECT_EQ(d.dialog.NoCodeReason->text().toStdString(), c.reason);
        EXPECT_EQ(d.dialog.Barcode->text().isEmpty(), *c.reason != '\0' || *c.zip == '\0');
        // Beside the bar label, on the row the bars take.
        EXPECT_EQ(d.dialog.NoCodeReason->geometry().top(), d.dialog.barcodelabel->geometry().top());
    }
    QTest::mouseClick(d.dialog.Clear, Qt::LeftButton);
    EXPECT_EQ(d.dialog.NoCodeReason->text(), "");
}

TEST(TsingleDlogFeedback, TabGoesThroughInputsAndButtonsButNotTheNote) {
    Dialog d;
    d.dialog.show();
    QApplication::setActiveWindow(&d.dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d.dialog));
    QTest::keyClicks(d.dialog.Street, "123 MAIN ST");
    QTest::keyClicks(d.dialog.Zip, "12345");
    QTest::keyClicks(d.dialog.Zip4, "6789");
    d.dialog.Street->setFocus();
    std::vector<std::string> chain;
    for (int i = 0; i < 9; ++i) {
        chain.push_back(QApplication::focusWidget()->objectName().toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(chain, (std::vector<std::string>{"Street", "Zip", "Zip4", "highrise", "Print",
                                               "Preview", "Clear", "Close", "Street"}));
    EXPECT_EQ(d.dialog.Memo1->focusPolicy(), Qt::NoFocus);
}

}  // namespace marrowby

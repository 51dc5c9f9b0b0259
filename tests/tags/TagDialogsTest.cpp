// Drives the Mail Type and Tag Information dialogs headless: selections, focus, the
// code-field and print enabling rules, and the sheet handed to the printer.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "tags/TmailclassDlog.h"
#include "tags/TtagsDlog.h"

namespace marrowby {

namespace {

class FakeTagSheetPrinter : public TagSheetPrinter {
  public:
    void reloadFonts() override { ++fontLoads; }
    void print(const TagSheet& sheet) override { printed.push_back(sheet); }
    void preview(const TagSheet& sheet) override { previewed.push_back(sheet); }

    int fontLoads = 0;
    std::vector<TagSheet> printed;
    std::vector<TagSheet> previewed;
};

class TagDialogs : public ::testing::Test {
  protected:
    template <class Widget>
    static Widget* Child(QWidget& parent, const QString& name) {
        auto* child = parent.findChild<Widget*>(name);
        if (!child) ADD_FAILURE() << "no control " << name.toStdString();
        return child;
    }

    QRadioButton* Radio(const QString& name) { return Child<QRadioButton>(mailTypeDlog, name); }
    QPushButton* MailTypeButton(const QString& name) {
        return Child<QPushButton>(mailTypeDlog, name);
    }
    QLineEdit* Dest(int n) { return Child<QLineEdit>(tagsDlog, QString("dest%1").arg(n)); }
    QLineEdit* Second(int n) { return Child<QLineEdit>(tagsDlog, QString("second%1").arg(n)); }
    QComboBox* Contents(int n) { return Child<QComboBox>(tagsDlog, QString("contents%1").arg(n)); }
    QPushButton* TagsButton(const QString& name) { return Child<QPushButton>(tagsDlog, name); }

    void ChooseMailType(const QString& code) {
        mailTypeDlog.show();
        QTest::mouseClick(Radio(code), Qt::LeftButton);
        QTest::mouseClick(MailTypeButton("Next"), Qt::LeftButton);
        tagsDlog.setMailType(mailTypeDlog.choice());
        tagsDlog.hide();
        tagsDlog.show();
    }
    void FillRow(int n, const char* destination, const QString& contents, const char* code = "") {
        QTest::keyClicks(Dest(n), destination);
        const int index = Contents(n)->findText(contents);
        ASSERT_GE(index, 0) << contents.toStdString();
        Contents(n)->setCurrentIndex(index);
        QTest::keyClicks(Second(n), code);
    }
    // An open code field has the window colour, a closed one is silver.
    bool CodeOpen(int n) {
        const QColor base = Second(n)->isEnabled() ? QApplication::palette().color(QPalette::Base)
                                                   : QColor(0xC0, 0xC0, 0xC0);
        EXPECT_EQ(Second(n)->palette().color(QPalette::Base), base) << n;
        return Second(n)->isEnabled();
    }
    bool PrintEnabled() {
        EXPECT_EQ(TagsButton("Print")->isEnabled(), TagsButton("Preview")->isEnabled());
        return TagsButton("Print")->isEnabled();
    }
    // Every row empty, its list of the given length with nothing chosen, printing off.
    void ExpectRowsEmpty(int items) {
        for (int n = 1; n <= 10; ++n) {
            EXPECT_EQ(Dest(n)->text() + Second(n)->text(), "") << n;
            EXPECT_FALSE(CodeOpen(n));
            EXPECT_EQ(Contents(n)->currentIndex(), -1) << n;
            EXPECT_EQ(Contents(n)->count(), items) << n;
            EXPECT_EQ(Contents(n)->maxVisibleItems(), items) << n;
        }
        EXPECT_FALSE(PrintEnabled());
    }

    TmailclassDlog mailTypeDlog;
    FakeTagSheetPrinter printer;
    TtagsDlog tagsDlog{printer};
};

// It starts at First-Class presort basic, Per and no origin.
TEST_F(TagDialogs, OneMailTypeAtATimeKeptThroughCancelAndTheOriginUpperCased) {
    EXPECT_TRUE(Radio("FLN")->isChecked() && Radio("Per")->isChecked());
    EXPECT_EQ(mailTypeDlog.choice(), MailTypeChoice{});
    EXPECT_TRUE(MailTypeButton("Next")->isDefault());
    mailTypeDlog.show();
    QTest::mouseClick(Radio("DSE"), Qt::LeftButton);
    EXPECT_FALSE(Radio("FLN")->isChecked());
    EXPECT_EQ(mailTypeDlog.choice().type, MailType::DSE);
    QTest::mouseClick(Radio("News"), Qt::LeftButton);
    EXPECT_EQ(mailTypeDlog.choice().periodicalKind, PeriodicalKind::News);
    QTest::mouseClick(Radio("SLA"), Qt::LeftButton);
    EXPECT_FALSE(Radio("DSE")->isChecked());
    EXPECT_TRUE(Radio("News")->isChecked());
    QLineEdit* origin = Child<QLineEdit>(mailTypeDlog, "origin");
    QTest::keyClicks(origin, "acme mailers, austin");
    QTest::keyClick(origin, Qt::Key_Home);
    QTest::keyClicks(origin, "the ");
    EXPECT_EQ(mailTypeDlog.choice().origin, "THE ACME MAILERS, AUSTIN");

    QTest::mouseClick(MailTypeButton("Cancel"), Qt::LeftButton);
    EXPECT_EQ(mailTypeDlog.result(), QDialog::Rejected);
    EXPECT_FALSE(mailTypeDlog.isVisible());
    mailTypeDlog.show();
    EXPECT_TRUE(Radio("SLA")->isChecked());
    QTest::mouseClick(MailTypeButton("Next"), Qt::LeftButton);
    EXPECT_EQ(mailTypeDlog.result(), QDialog::Accepted);
}

// The carrier route, processing and scheme code headings shown, as "CPS" with "-" for hidden.
TEST_F(TagDialogs, CodeHeadingsFollowTheMailType) {
    const std::pair<const char*, const char*> cases[] = {
        {"FLN", "---"}, {"FLA", "C-S"}, {"SLN", "C--"}, {"SPI", "CP-"},
        {"PPI", "C--"}, {"SPM", "-P-"}, {"PLA", "--S"}, {"SFA", "---"}};
    for (const auto& [mailType, shown] : cases) {
        ChooseMailType(mailType);
        std::string headings;
        for (const char* label : {"label3", "Label15", "Label16"})
            headings += Child<QLabel>(tagsDlog, label)->isVisible() ? "CPS"[headings.size()] : '-';
        EXPECT_EQ(headings, shown) << mailType;
    }
}

TEST_F(TagDialogs, CodeFieldOpensOnlyForContentsThatTakeACode) {
    ChooseMailType("SPI");
    FillRow(1, "", "ADC", "ab1");
    EXPECT_TRUE(CodeOpen(1));
    EXPECT_EQ(Second(1)->text(), "AB1");

    ChooseMailType("FLN");
    // The new lists drop the choice but not the code already typed.
    EXPECT_EQ(Second(1)->text(), "AB1");
    FillRow(1, "", "ADC");
    EXPECT_FALSE(CodeOpen(1));
    EXPECT_EQ(Second(1)->text(), "");

    ChooseMailType("SLN");
    FillRow(3, "", "Carrier Rte - Basic", "c001");
    EXPECT_TRUE(CodeOpen(3));
    FillRow(3, "", "5-Digit");
    EXPECT_FALSE(CodeOpen(3));
    EXPECT_EQ(Second(3)->text(), "");
}

TEST_F(TagDialogs, PrintNeedsDestinationAndContentsAndClearOrCloseEmptyTheRows) {
    ChooseMailType("SLN");
    ExpectRowsEmpty(9);
    EXPECT_EQ(printer.fontLoads, 1);
    QTest::keyClicks(Dest(4), "dallas tx 75201");
    EXPECT_EQ(Dest(4)->text(), "DALLAS TX 75201");
    EXPECT_FALSE(PrintEnabled());
    FillRow(2, "", "5-Digit");
    EXPECT_FALSE(PrintEnabled());
    FillRow(4, "", "3-Digit");
    EXPECT_TRUE(PrintEnabled());
    Dest(4)->clear();
    EXPECT_FALSE(PrintEnabled());

    // The window's close box keeps what was typed; showing again drops only the choices.
    FillRow(1, "dallas tx 75201", "Carrier Rte - Basic", "C001");
    FillRow(10, "austin tx 787", "ADC");
    tagsDlog.close();
    EXPECT_FALSE(tagsDlog.isVisible());
    tagsDlog.show();
    EXPECT_EQ(printer.fontLoads, 2);
    EXPECT_EQ(Dest(1)->text(), "DALLAS TX 75201");
    EXPECT_EQ(Contents(1)->currentIndex(), -1);
    FillRow(1, "", "Carrier Rte - Basic");
    QTest::mouseClick(TagsButton("Clear"), Qt::LeftButton);
    EXPECT_TRUE(tagsDlog.isVisible());
    ExpectRowsEmpty(9);

    FillRow(2, "dallas tx 75201", "5-Digit");
    QTest::mouseClick(TagsButton("Close"), Qt::LeftButton);
    EXPECT_FALSE(tagsDlog.isVisible());
    EXPECT_EQ(tagsDlog.result(), QDialog::Accepted);
    tagsDlog.show();
    ExpectRowsEmpty(9);
}

TEST_F(TagDialogs, EachOpeningStartsInTheFirstDestinationAndNoCodeOutlivesItsMailType) {
    ChooseMailType("SPI");
    EXPECT_EQ(tagsDlog.focusWidget(), Dest(1));
    FillRow(1, "denver co 80202", "ADC", "ab1");
    QTest::mouseClick(TagsButton("Preview"), Qt::LeftButton);
    tagsDlog.hide();
    tagsDlog.show();
    EXPECT_EQ(tagsDlog.focusWidget(), Dest(1));

    // Drop shipments offer one item, chosen at once in every row, which takes no code.
    ChooseMailType("DSE");
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(Contents(n)->count(), 1);
        EXPECT_EQ(Contents(n)->currentText(), "Express") << n;
    }
    EXPECT_FALSE(CodeOpen(1));
    QTest::keyClicks(Dest(7), "denver co 80202");
    QTest::mouseClick(TagsButton("Print"), Qt::LeftButton);
    ASSERT_EQ(printer.printed.size(), 1u);
    EXPECT_EQ(printer.printed[0].kind, TagKind::Sack);
    EXPECT_EQ(printer.printed[0].tags[0]->codeText, "");
    EXPECT_EQ(printer.printed[0].tags[6],
              (TagValues{"DENVER CO", "80202", "EXPRESS DROP SHIP", "", "80202143"}));
}

TEST_F(TagDialogs, PrintAndPreviewHandTheRowsAsOneSheet) {
    mailTypeDlog.show();
    QTest::keyClicks(Child<QLineEdit>(mailTypeDlog, "origin"), "acme co");
    QTest::mouseClick(Radio("News"), Qt::LeftButton);
    ChooseMailType("PLA");
    FillRow(1, "dallas tx 75201", "3-Digit Scheme", "b");
    FillRow(3, "75201", "3-Digit");
    FillRow(6, "dallas tx 752", "3-Digit");

    QTest::mouseClick(TagsButton("Print"), Qt::LeftButton);
    QTest::mouseClick(TagsButton("Preview"), Qt::LeftButton);
    ASSERT_EQ(printer.printed.size(), 1u);
    ASSERT_EQ(printer.previewed.size(), 1u);
    for (const TagSheet& sheet : {printer.printed[0], printer.previewed[0]}) {
        EXPECT_EQ(sheet.kind, TagKind::Tray);
        EXPECT_TRUE(sheet.automationStripes);
        EXPECT_EQ(sheet.origin, "ACME CO");
        EXPECT_EQ(sheet.tags[0],
                  (TagValues{"DALLAS TX", "75201", "NEWS LTRS BC SCHEME", "B", "7520144301"}));
        EXPECT_EQ(sheet.tags[5],
                  (TagValues{"DALLAS TX", "752", "NEWS LTRS 3D BC", "", "7520044401"}));
        for (int place : {1, 2, 3, 4, 6, 7, 8, 9}) EXPECT_FALSE(sheet.tags[place]) << place;
    }
    EXPECT_EQ(Dest(1)->text(), "DALLAS TX 75201");
    EXPECT_EQ(Contents(1)->currentText(), "3-Digit Scheme");
}

}  // namespace

}  // namespace marrowby

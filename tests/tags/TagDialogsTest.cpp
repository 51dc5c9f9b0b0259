// Drives the Mail Type and Tag Information dialogs headless: selections, captions, the
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

#include "tags/TtagsDlog.h"

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

const QColor kSilver(0xC0, 0xC0, 0xC0);

class TagDialogs : public ::testing::Test {
  protected:
    template <class Widget>
    static Widget* Child(QWidget& parent, const QString& name) {
        auto* child = parent.findChild<Widget*>(name);
        if (!child) ADD_FAILURE() << "no control " << name.toStdString();
        return child;
    }
    static QLabel* LabelWithText(QWidget& parent, const QString& text) {
        for (QLabel* label : parent.findChildren<QLabel*>()) {
            if (label->text() == text) return label;
        }
        ADD_FAILURE() << "no label " << text.toStdString();
        return nullptr;
    }

    QRadioButton* Radio(const QString& name) { return Child<QRadioButton>(mailTypeDlog, name); }
    QLineEdit* Dest(int n) { return Child<QLineEdit>(tagsDlog, QString("dest%1").arg(n)); }
    QLineEdit* Second(int n) { return Child<QLineEdit>(tagsDlog, QString("second%1").arg(n)); }
    QComboBox* Contents(int n) { return Child<QComboBox>(tagsDlog, QString("contents%1").arg(n)); }
    QPushButton* TagsButton(const QString& name) { return Child<QPushButton>(tagsDlog, name); }
    QLabel* Heading(const QString& name) { return Child<QLabel>(tagsDlog, name); }

    void ChooseMailType(const QString& code) {
        mailTypeDlog.show();
        QTest::mouseClick(Radio(code), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(mailTypeDlog, "Next"), Qt::LeftButton);
    }
    void OpenTags() {
        tagsDlog.hide();
        tagsDlog.show();
    }
    void ChooseContents(int n, const QString& item) {
        QComboBox* contents = Contents(n);
        const int index = contents->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        contents->setCurrentIndex(index);
    }
    static bool ShownSilver(QLineEdit* field) {
        return !field->isEnabled() && field->palette().color(QPalette::Base) == kSilver;
    }
    static bool ShownEnabled(QLineEdit* field) {
        return field->isEnabled() && field->palette().color(QPalette::Base) ==
                                         QApplication::palette().color(QPalette::Base);
    }

    TmailclassDlog mailTypeDlog;
    FakeTagSheetPrinter printer;
    TtagsDlog tagsDlog{mailTypeDlog, printer};
};

TEST_F(TagDialogs, MailTypeStartsAtFirstClassPresortBasicWithPerAndNoOrigin) {
    EXPECT_EQ(mailTypeDlog.windowTitle(), "Mail Type");
    EXPECT_TRUE(Radio("FLN")->isChecked());
    EXPECT_EQ(mailTypeDlog.mailType(), MailType::FLN);
    EXPECT_TRUE(Radio("Per")->isChecked());
    EXPECT_TRUE(mailTypeDlog.isPer());
    EXPECT_EQ(mailTypeDlog.origin(), "");
    EXPECT_TRUE(Child<QPushButton>(mailTypeDlog, "Next")->isDefault());
    EXPECT_EQ(Child<QPushButton>(mailTypeDlog, "Cancel")->text(), "Cancel");
    LabelWithText(mailTypeDlog, "Choose the type of mail you are sending:");
    for (const char* bold : {"First Class:", "Standard A:", "Periodicals:", "Enter Origin Line:"}) {
        QLabel* label = LabelWithText(mailTypeDlog, bold);
        EXPECT_TRUE(label && label->font().bold()) << bold;
    }
    LabelWithText(mailTypeDlog, "(bottom line on tag):");
    LabelWithText(mailTypeDlog, "Drop Ship Tags:");
}

TEST_F(TagDialogs, MailTypeButtonsCarryTheirCaptions) {
    const std::pair<const char*, const char*> captions[] = {{"FLN", "Presort Basic"},
                                                            {"FLM", "Presort Manual"},
                                                            {"FLU", "Upgradable"},
                                                            {"FLA", "Automation"},
                                                            {"FFN", "Presorted"},
                                                            {"FFA", "Automation"},
                                                            {"FFC", "Co-Trayed"},
                                                            {"FPN", "Presorted"},
                                                            {"SLN", "Presort Basic"},
                                                            {"SLM", "Presort Manual"},
                                                            {"SLU", "Upgradable"},
                                                            {"SLA", "Automation"},
                                                            {"SFN", "Presorted"},
                                                            {"SFA", "Automation"},
                                                            {"SFC", "Co-Trayed"},
                                                            {"SFM", "Merged"},
                                                            {"SPM", "Machinable"},
                                                            {"SPI", "Irregular"},
                                                            {"SPMI", "Mach and Irreg"},
                                                            {"PLN", "Presort Basic"},
                                                            {"PLA", "Automation"},
                                                            {"PFN", "Presort Basic"},
                                                            {"PFA", "Automation"},
                                                            {"PFC", "Co-Trayed"},
                                                            {"PFM", "Merged"},
                                                            {"PPI", "Irregular"},
                                                            {"PPM", "Merged"},
                                                            {"DSE", "Express Mail"},
                                                            {"DSP", "Priority Mail"},
                                                            {"Per", "Per"},
                                                            {"News", "News"}};
    for (const auto& [code, caption] : captions) {
        QRadioButton* button = Radio(code);
        EXPECT_TRUE(button && button->text() == caption) << code;
    }
    EXPECT_EQ(mailTypeDlog.findChildren<QRadioButton*>().size(), std::size(captions));
}

TEST_F(TagDialogs, OneMailTypeAtATimeAndThePeriodicalKindApart) {
    mailTypeDlog.show();
    QTest::mouseClick(Radio("DSE"), Qt::LeftButton);
    EXPECT_FALSE(Radio("FLN")->isChecked());
    EXPECT_EQ(mailTypeDlog.mailType(), MailType::DSE);
    QTest::mouseClick(Radio("News"), Qt::LeftButton);
    EXPECT_FALSE(mailTypeDlog.isPer());
    EXPECT_EQ(mailTypeDlog.periodicalKind(), PeriodicalKind::News);
    QTest::mouseClick(Radio("SLA"), Qt::LeftButton);
    EXPECT_FALSE(Radio("DSE")->isChecked());
    EXPECT_TRUE(Radio("News")->isChecked());
}

TEST_F(TagDialogs, OriginIsUpperCasedAsTyped) {
    QLineEdit* origin = Child<QLineEdit>(mailTypeDlog, "origin");
    QTest::keyClicks(origin, "acme mailers, austin");
    QTest::keyClick(origin, Qt::Key_Home);
    QTest::keyClicks(origin, "the ");
    EXPECT_EQ(mailTypeDlog.origin(), "THE ACME MAILERS, AUSTIN");
}

TEST_F(TagDialogs, CancelEndsWithTheChoiceKeptAndNextAccepts) {
    mailTypeDlog.show();
    QTest::mouseClick(Radio("DSP"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(mailTypeDlog, "Cancel"), Qt::LeftButton);
    EXPECT_EQ(mailTypeDlog.result(), QDialog::Rejected);
    EXPECT_FALSE(mailTypeDlog.isVisible());
    mailTypeDlog.show();
    EXPECT_TRUE(Radio("DSP")->isChecked());
    QTest::mouseClick(Child<QPushButton>(mailTypeDlog, "Next"), Qt::LeftButton);
    EXPECT_EQ(mailTypeDlog.result(), QDialog::Accepted);
}

TEST_F(TagDialogs, TagDialogOpensWithItsRowsHeadingsAndPrintingOff) {
    OpenTags();
    EXPECT_EQ(tagsDlog.windowTitle(), "Tag Information");
    for (const char* text :
         {"Enter information for up to 10 tags:", "Destination and zip", "(for top line of tag)",
          "Contents", "(will determine 2nd line of tag)", "Tag 1", "Tag 10"}) {
        LabelWithText(tagsDlog, text);
    }
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(Contents(n)->count(), 4) << n;
        EXPECT_EQ(Contents(n)->maxVisibleItems(), 4) << n;
        EXPECT_EQ(Contents(n)->currentIndex(), -1) << n;
        EXPECT_TRUE(ShownSilver(Second(n))) << n;
    }
    EXPECT_EQ(Contents(1)->itemText(3), "Mixed ADC");
    for (const char* heading : {"label3", "Label15", "Label16"}) {
        EXPECT_FALSE(Heading(heading)->isVisible()) << heading;
    }
    EXPECT_FALSE(TagsButton("Print")->isEnabled());
    EXPECT_FALSE(TagsButton("Preview")->isEnabled());
    EXPECT_EQ(TagsButton("Print")->text(), "Print Tags");
    EXPECT_EQ(printer.fontLoads, 1);
}

TEST_F(TagDialogs, CodeHeadingsFollowTheMailType) {
    struct Case {
        const char* mailType;
        bool carrierRoute, processing, scheme;
    };
    const Case cases[] = {{"FLA", true, false, true},  {"SLN", true, false, false},
                          {"SPI", true, true, false},  {"PPI", true, false, false},
                          {"SPM", false, true, false}, {"PLA", false, false, true},
                          {"SFA", false, false, false}};
    for (const Case& c : cases) {
        ChooseMailType(c.mailType);
        OpenTags();
        EXPECT_EQ(Heading("label3")->isVisible(), c.carrierRoute) << c.mailType;
        EXPECT_EQ(Heading("Label15")->isVisible(), c.processing) << c.mailType;
        EXPECT_EQ(Heading("Label16")->isVisible(), c.scheme) << c.mailType;
    }
    EXPECT_EQ(Heading("label3")->text(), "Carrier Route Code");
    EXPECT_EQ(Heading("Label15")->text(), "Processing Code");
    EXPECT_EQ(Heading("Label16")->text(), "or Scheme Letter");
}

TEST_F(TagDialogs, DestinationIsUpperCasedAndPrintNeedsDestinationAndContents) {
    OpenTags();
    QTest::keyClicks(Dest(4), "dallas tx 75201");
    EXPECT_EQ(Dest(4)->text(), "DALLAS TX 75201");
    EXPECT_FALSE(TagsButton("Print")->isEnabled());
    ChooseContents(2, "5-Digit");
    EXPECT_FALSE(TagsButton("Print")->isEnabled());
    ChooseContents(4, "3-Digit");
    EXPECT_TRUE(TagsButton("Print")->isEnabled());
    EXPECT_TRUE(TagsButton("Preview")->isEnabled());
    Dest(4)->clear();
    EXPECT_FALSE(TagsButton("Print")->isEnabled());
    EXPECT_FALSE(TagsButton("Preview")->isEnabled());
}

TEST_F(TagDialogs, SingleDropShipItemIsChosenInEveryRow) {
    ChooseMailType("DSE");
    OpenTags();
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(Contents(n)->count(), 1);
        EXPECT_EQ(Contents(n)->currentText(), "Express") << n;
    }
    EXPECT_FALSE(TagsButton("Print")->isEnabled());
    QTest::keyClicks(Dest(7), "denver co 80202");
    EXPECT_TRUE(TagsButton("Print")->isEnabled());
    QTest::mouseClick(TagsButton("Print"), Qt::LeftButton);
    ASSERT_EQ(printer.printed.size(), 1u);
    EXPECT_EQ(printer.printed[0].kind, TagKind::Sack);
    EXPECT_EQ(printer.printed[0].tags[6],
              (TagValues{"DENVER CO", "80202", "EXPRESS DROP SHIP", "", "80202143"}));
}

TEST_F(TagDialogs, CodeFieldOpensOnlyForContentsThatTakeACode) {
    ChooseMailType("SPI");
    OpenTags();
    ChooseContents(1, "ADC");
    EXPECT_TRUE(ShownEnabled(Second(1)));
    QTest::keyClicks(Second(1), "ab1");
    EXPECT_EQ(Second(1)->text(), "AB1");

    ChooseMailType("FLN");
    OpenTags();
    // The new lists drop the choice but not the code already typed.
    EXPECT_EQ(Second(1)->text(), "AB1");
    ChooseContents(1, "ADC");
    EXPECT_TRUE(ShownSilver(Second(1)));
    EXPECT_EQ(Second(1)->text(), "");

    ChooseMailType("SLN");
    OpenTags();
    ChooseContents(3, "Carrier Rte - Basic");
    EXPECT_TRUE(ShownEnabled(Second(3)));
    QTest::keyClicks(Second(3), "c001");
    ChooseContents(3, "5-Digit");
    EXPECT_TRUE(ShownSilver(Second(3)));
    EXPECT_EQ(Second(3)->text(), "");
}

TEST_F(TagDialogs, ClearEmptiesEveryRowAndKeepsTheLists) {
    ChooseMailType("SLN");
    OpenTags();
    QTest::keyClicks(Dest(1), "dallas tx 75201");
    ChooseContents(1, "Carrier Rte - Basic");
    QTest::keyClicks(Second(1), "C001");
    QTest::keyClicks(Dest(10), "austin tx 787");
    ChooseContents(10, "ADC");
    QTest::mouseClick(TagsButton("Clear"), Qt::LeftButton);
    EXPECT_TRUE(tagsDlog.isVisible());
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(Dest(n)->text(), "") << n;
        EXPECT_EQ(Second(n)->text(), "") << n;
        EXPECT_TRUE(ShownSilver(Second(n))) << n;
        EXPECT_EQ(Contents(n)->currentIndex(), -1) << n;
        EXPECT_EQ(Contents(n)->count(), 9) << n;
        EXPECT_EQ(Contents(n)->maxVisibleItems(), 9) << n;
    }
    EXPECT_FALSE(TagsButton("Print")->isEnabled());
    EXPECT_FALSE(TagsButton("Preview")->isEnabled());
}

TEST_F(TagDialogs, CloseClearsButTheWindowsCloseBoxKeepsTheEntries) {
    OpenTags();
    QTest::keyClicks(Dest(2), "dallas tx 75201");
    ChooseContents(2, "5-Digit");
    tagsDlog.close();
    EXPECT_FALSE(tagsDlog.isVisible());
    OpenTags();
    EXPECT_EQ(Dest(2)->text(), "DALLAS TX 75201");
    EXPECT_EQ(Contents(2)->currentIndex(), -1);
    EXPECT_EQ(printer.fontLoads, 2);

    QTest::mouseClick(TagsButton("Close"), Qt::LeftButton);
    EXPECT_FALSE(tagsDlog.isVisible());
    EXPECT_EQ(tagsDlog.result(), QDialog::Accepted);
    OpenTags();
    EXPECT_EQ(Dest(2)->text(), "");
}

TEST_F(TagDialogs, PrintAndPreviewHandTheRowsAsOneSheet) {
    QTest::keyClicks(Child<QLineEdit>(mailTypeDlog, "origin"), "acme co");
    ChooseMailType("FLA");
    OpenTags();
    QTest::keyClicks(Dest(1), "dallas tx 75201");
    ChooseContents(1, "Single Carrier Route");
    QTest::keyClicks(Second(1), "c001");
    QTest::keyClicks(Dest(3), "75201");
    ChooseContents(3, "3-Digit");
    QTest::keyClicks(Dest(6), "dallas tx 752");
    ChooseContents(6, "3-Digit");

    QTest::mouseClick(TagsButton("Print"), Qt::LeftButton);
    QTest::mouseClick(TagsButton("Preview"), Qt::LeftButton);
    ASSERT_EQ(printer.printed.size(), 1u);
    ASSERT_EQ(printer.previewed.size(), 1u);
    for (const TagSheet& sheet : {printer.printed[0], printer.previewed[0]}) {
        EXPECT_EQ(sheet.kind, TagKind::Tray);
        EXPECT_TRUE(sheet.automationStripes);
        EXPECT_EQ(sheet.origin, "ACME CO");
        EXPECT_EQ(sheet.tags[0],
                  (TagValues{"DALLAS TX", "75201", "FCM LTRS CR BC", "C001", "7520126301"}));
        EXPECT_EQ(sheet.tags[5],
                  (TagValues{"DALLAS TX", "752", "FCM LTRS 3D BC", "", "7520024401"}));
        for (int place : {1, 2, 3, 4, 6, 7, 8, 9}) EXPECT_FALSE(sheet.tags[place]) << place;
    }
    EXPECT_EQ(Dest(1)->text(), "DALLAS TX 75201");
    EXPECT_EQ(Contents(1)->currentText(), "Single Carrier Route");
}

TEST_F(TagDialogs, NewsPeriodicalsPrintTheirOwnPrefixAndDigit) {
    mailTypeDlog.show();
    QTest::mouseClick(Radio("News"), Qt::LeftButton);
    ChooseMailType("PFN");
    OpenTags();
    QTest::keyClicks(Dest(1), "houston tx 770");
    ChooseContents(1, "SCF");
    QTest::mouseClick(TagsButton("Print"), Qt::LeftButton);
    ASSERT_EQ(printer.printed.size(), 1u);
    EXPECT_EQ(printer.printed[0].tags[0],
              (TagValues{"HOUSTON TX", "770", "NEWS FLTS SCF NON BC", "", "77000484"}));
    EXPECT_FALSE(printer.printed[0].automationStripes);
}

}  // namespace

// "Set Tag Fonts" driven through the real dialog: sizes accepted as typed, refused with
// the warning and shown again, Cancel, an unknown saved font, F1 and a short list.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <deque>
#include <functional>
#include <string>

#include "FakePrompter.h"
#include "FormDriving.h"
#include "TempFolder.h"
#include "tags/TLabelFontsDlg.h"

namespace marrowby {

namespace {

const std::string kFile =
    "first \xE9 line\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\nkept 1\r\n\r\nkept 3\r\n";

// One run of the command over a fonts.dat; each step runs once the dialog is shown, while
// it is modal, and a showing without a step left cancels.
class FontsRun : public QObject {
  public:
    explicit FontsRun(const std::string& file) {
        folder.write("fonts.dat", file);
        fonts = ReadLineList(folder.path() / "fonts.dat");
        dialog.installEventFilter(this);
    }
    bool run() { return SetTagFonts(dialog, fonts, folder.path(), prompter); }

    TempFolder folder;
    FakePrompter prompter;
    TLabelFontsDlg dialog;
    LineList fonts;
    std::deque<std::function<void(TLabelFontsDlg&)>> steps;
    int shown = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        ++shown;
        QTimer::singleShot(0, this, [this] {
            if (steps.empty()) return dialog.reject();
            auto step = std::move(steps.front());
            steps.pop_front();
            step(dialog);
            if (testing::Test::HasFatalFailure()) dialog.reject();  // no step left hanging
        });
        return false;
    }
};

std::array<QLineEdit*, 5> sizeFields(TLabelFontsDlg& d) {
    return {d.trayleftfont, d.trayrightfont, d.traybtmfont, d.sackleftfont, d.sackrightfont};
}

void typeSizesAndClick(TLabelFontsDlg& d, const std::array<QString, 5>& sizes,
                       QPushButton* button) {
    for (size_t i = 0; i < sizes.size(); ++i) Type(sizeFields(d)[i], sizes[i]);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

TEST(TLabelFontsDlg, ShowsTheSavedSettingsWithOkFocusedAndAnUnknownFontFallsToTheFirst) {
    FontsRun fonts("x\r\nNo Such Font\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    int help = 0;
    fonts.dialog.helpRequested = [&help](int asked) { help = asked; };
    fonts.steps.push_back([](TLabelFontsDlg& d) {
        for (int i = 0; i < 5; ++i) EXPECT_EQ(sizeFields(d)[i]->text(), QString::number(i + 4));
        EXPECT_TRUE(d.HelpText->isReadOnly());
        EXPECT_EQ(d.focusWidget(), d.OKBtn);
        EXPECT_FALSE(d.FontSelect->isEditable());
        for (int i = 1; i < d.FontSelect->count(); ++i) {
            EXPECT_LE(QString::compare(d.FontSelect->itemText(i - 1), d.FontSelect->itemText(i),
                                       Qt::CaseInsensitive),
                      0);
        }
        EXPECT_EQ(d.FontSelect->currentIndex(), 0);
        QTest::keyClick(d.trayleftfont, Qt::Key_F1);
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    });
    ASSERT_TRUE(fonts.run());
    EXPECT_EQ(help, HelpContext::TagFonts);
    EXPECT_EQ(fonts.fonts[1], fonts.dialog.FontSelect->itemText(0).toStdString());
    EXPECT_EQ(fonts.folder.read("fonts.dat"),
              "x\r\n" + fonts.fonts[1] + "\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
}

// The warning names the first box that is wrong; the dialog comes back as the user left it.
// Which texts are sizes is tests/data/tags/fonts-file.tsv: the dialog and fonts.dat share
// the rule. Accepted sizes are stored as typed, the other lines kept.
TEST(TLabelFontsDlg, EachRefusedSizeWarnsAndShowsTheDialogAgainAsLeftCancelKeepsTheFileOkStores) {
    struct Case {
        std::array<QString, 5> sizes;
        const char* box;
        int wrong;  // the box that gets the focus back
    };
    const Case cases[] = {
        {{"0", "10", "10", "10", "10"}, "Tray Label, text above the barcode", 0},
        {{"10", "", "10", "10", "10"}, "Tray Label, ZIP code in the upper right corner", 1},
        {{"10", "10", "5000", "10", "10"}, "Tray Label, text below the barcode", 2},
        {{"10", "10", "10", "10pt", "3"}, "Sack Label, text right of the barcode", 3},
        {{"10", "10", "10", "10", "73"}, "Sack Label, ZIP code at the right edge", 4},
    };
    FontsRun fonts(kFile);
    QString savedFont;
    for (size_t i = 0; i <= std::size(cases); ++i) {
        fonts.steps.push_back([&, i](TLabelFontsDlg& d) {
            if (i == 0) savedFont = d.FontSelect->currentText();
            if (i > 0) {
                for (size_t box = 0; box < 5; ++box)
                    EXPECT_EQ(sizeFields(d)[box]->text(), cases[i - 1].sizes[box]);
                ASSERT_EQ(fonts.prompter.messages.size(), i);
                const RecordedMessage& warning = fonts.prompter.messages.back();
                EXPECT_EQ(warning.text,
                          std::string("Each font size must be a whole number of points from 4 "
                                      "to 72. Please correct the size for ") +
                              cases[i - 1].box + ".");
                EXPECT_EQ(warning.beep, MessageBeep::Exclamation);
                EXPECT_EQ(warning.icon, MessageIcon::Warning);
                EXPECT_EQ(warning.button, MessageButton::Ok);
                EXPECT_EQ(d.focusWidget(), sizeFields(d)[cases[i - 1].wrong]);
            }
            if (i < std::size(cases)) return typeSizesAndClick(d, cases[i].sizes, d.OKBtn);
            d.FontSelect->setCurrentIndex(d.FontSelect->currentIndex() == 0 ? 1 : 0);
            QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
        });
    }
    EXPECT_FALSE(fonts.run());
    EXPECT_EQ(fonts.shown, static_cast<int>(std::size(cases)) + 1);
    EXPECT_EQ(fonts.folder.read("fonts.dat"), kFile);
    EXPECT_EQ(fonts.fonts, ReadLineList(fonts.folder.path() / "fonts.dat"));
    // The next opening shows the saved font and sizes again.
    const QString family = QFontDatabase::families().value(1);
    fonts.steps.push_back([&](TLabelFontsDlg& d) {
        EXPECT_EQ(d.FontSelect->currentText(), savedFont);
        EXPECT_EQ(d.trayleftfont->text(), "12");
        d.FontSelect->setCurrentIndex(d.FontSelect->findText(family));
        typeSizesAndClick(d, {"10", "012", "4", "72", "13"}, d.OKBtn);
    });
    ASSERT_TRUE(fonts.run());
    EXPECT_EQ(fonts.folder.read("fonts.dat"),
              "first \xE9 line\r\n" + family.toStdString() +
                  "\r\n10\r\n012\r\n4\r\n72\r\n13\r\nkept 1\r\n\r\nkept 3\r\n");
    EXPECT_EQ(fonts.fonts, ReadLineList(fonts.folder.path() / "fonts.dat"));
    EXPECT_EQ(fonts.prompter.messages.size(), std::size(cases));
}

// Arial is printed through whatever family stands in for it, and stays the font chosen.
TEST(TLabelFontsDlg, ShortListIsCompletedOnOkAndArialStaysChosen) {
    const bool arialStandsIn =
        QFontInfo(QFont("Arial")).family() != QFontInfo(QFont("No Such Font")).family();
    FontsRun fonts("x\r\nArial\r\n12\r\n");
    fonts.steps.push_back([](TLabelFontsDlg& d) {
        EXPECT_EQ(d.trayleftfont->text(), "12");
        EXPECT_EQ(d.trayrightfont->text(), "");
        typeSizesAndClick(d, {"12", "12", "10", "10", "10"}, d.OKBtn);
    });
    ASSERT_TRUE(fonts.run());
    ASSERT_EQ(fonts.fonts.size(), 7u);
    EXPECT_EQ(fonts.fonts[6], "10");
    EXPECT_TRUE(!arialStandsIn || fonts.fonts[1] == "Arial") << fonts.fonts[1];
}

}  // namespace marrowby

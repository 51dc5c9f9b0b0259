// "Set Tag Fonts" driven through the real dialog: sizes accepted as typed, refused with
// the warning and shown again, Cancel, an unknown saved font, F1 and a short list.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>

#include "FakePrompter.h"
#include "TempFolder.h"
#include "tags/TLabelFontsDlg.h"

namespace {

// Runs one step each time the dialog is shown, while it is modal.
class DialogScript : public QObject {
  public:
    explicit DialogScript(TLabelFontsDlg& dialog) : dialog_(dialog) {
        dialog.installEventFilter(this);
    }
    std::deque<std::function<void(TLabelFontsDlg&)>> steps;
    int shown = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            ++shown;
            QTimer::singleShot(0, this, [this] {
                if (steps.empty()) {
                    dialog_.reject();
                    return;
                }
                auto step = std::move(steps.front());
                steps.pop_front();
                step(dialog_);
            });
        }
        return false;
    }

  private:
    TLabelFontsDlg& dialog_;
};

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void typeSizes(TLabelFontsDlg& dialog, const std::array<QString, 5>& sizes) {
    const std::array<QLineEdit*, 5> edits = {dialog.trayleftfont, dialog.trayrightfont,
                                             dialog.traybtmfont, dialog.sackleftfont,
                                             dialog.sackrightfont};
    for (size_t i = 0; i < edits.size(); ++i) typeInto(edits[i], sizes[i]);
}

void clickOk(TLabelFontsDlg& dialog) { QTest::mouseClick(dialog.OKBtn, Qt::LeftButton); }
void clickCancel(TLabelFontsDlg& dialog) { QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton); }

const std::string kFile =
    "first \xE9 line\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\nkept 1\r\n\r\nkept 3\r\n";

LineList linesOf(const std::string& bytes) {
    TempFolder folder;
    return ReadLineList(folder.write("f", bytes));
}

QString secondFamily() { return QFontDatabase::families().value(1); }

}  // namespace

TEST(TLabelFontsDlg, ShowsTheSavedSettingsWithOkFocused) {
    TempFolder folder;
    FakePrompter prompter;
    TLabelFontsDlg dialog;
    LineList fonts = linesOf("x\r\nNo Such Font\r\n1\r\n2\r\n3\r\n4\r\n5\r\n");
    DialogScript script(dialog);
    script.steps.push_back([](TLabelFontsDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Label Fonts");
        EXPECT_EQ(d.trayleftfont->text(), "1");
        EXPECT_EQ(d.trayrightfont->text(), "2");
        EXPECT_EQ(d.traybtmfont->text(), "3");
        EXPECT_EQ(d.sackleftfont->text(), "4");
        EXPECT_EQ(d.sackrightfont->text(), "5");
        EXPECT_EQ(d.TrayLabel->title(), "Tray Label:");
        EXPECT_EQ(d.SackLabel->title(), "Sack Label:");
        EXPECT_TRUE(d.HelpText->isReadOnly());
        EXPECT_TRUE(d.HelpText->toPlainText().startsWith("HELP FOR SETTING TAG FONTS"));
        EXPECT_EQ(d.focusWidget(), d.OKBtn);
        EXPECT_FALSE(d.FontSelect->isEditable());
        for (int i = 1; i < d.FontSelect->count(); ++i) {
            EXPECT_LE(QString::compare(d.FontSelect->itemText(i - 1), d.FontSelect->itemText(i),
                                       Qt::CaseInsensitive),
                      0);
        }
        // An unknown saved font leaves the alphabetically first font chosen.
        EXPECT_EQ(d.FontSelect->currentIndex(), 0);
        bool boldHeading = false;
        for (QLabel* label : d.findChildren<QLabel*>()) {
            if (label->text() == "Set Fonts for Tags") boldHeading = label->font().bold();
        }
        EXPECT_TRUE(boldHeading);
        clickOk(d);
    });
    ASSERT_TRUE(SetTagFonts(dialog, fonts, folder.path(), prompter));
    EXPECT_EQ(fonts[1], dialog.FontSelect->itemText(0).toStdString());
    EXPECT_EQ(folder.read("fonts.dat"), "x\r\n" + fonts[1] + "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n");
}

TEST(TLabelFontsDlg, AcceptedSizesAreStoredAsTypedAndOtherLinesKept) {
    TempFolder folder;
    folder.write("fonts.dat", kFile);
    FakePrompter prompter;
    TLabelFontsDlg dialog;
    LineList fonts = ReadLineList(folder.path() / "fonts.dat");
    const QString family = secondFamily();
    DialogScript script(dialog);
    script.steps.push_back([&](TLabelFontsDlg& d) {
        d.FontSelect->setCurrentIndex(d.FontSelect->findText(family));
        typeSizes(d, {"10", "012", "9", "11", "13"});
        clickOk(d);
    });
    ASSERT_TRUE(SetTagFonts(dialog, fonts, folder.path(), prompter));
    const std::string expected = "first \xE9 line\r\n" + family.toStdString() +
                                 "\r\n10\r\n012\r\n9\r\n11\r\n13\r\nkept 1\r\n\r\nkept 3\r\n";
    EXPECT_EQ(folder.read("fonts.dat"), expected);
    EXPECT_EQ(fonts, linesOf(expected));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(TLabelFontsDlg, RefusedSizeWarnsAndShowsTheDialogAgainAsLeft) {
    for (const QString bad : {"0", "", "10pt", " 10", "-5", "1.5"}) {
        SCOPED_TRACE(bad.toStdString());
        TempFolder folder;
        folder.write("fonts.dat", kFile);
        FakePrompter prompter;
        TLabelFontsDlg dialog;
        LineList fonts = ReadLineList(folder.path() / "fonts.dat");
        DialogScript script(dialog);
        script.steps.push_back([&](TLabelFontsDlg& d) {
            typeSizes(d, {"10", "10", "10", bad, "10"});
            clickOk(d);
        });
        script.steps.push_back([&](TLabelFontsDlg& d) {
            EXPECT_EQ(d.sackleftfont->text(), bad);
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text,
                      "Each font size must have a numeric value greater than zero.");
            EXPECT_EQ(prompter.messages[0].beep, MessageBeep::Exclamation);
            EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Warning);
            EXPECT_EQ(prompter.messages[0].button, MessageButton::Ok);
            clickCancel(d);
        });
        EXPECT_FALSE(SetTagFonts(dialog, fonts, folder.path(), prompter));
        EXPECT_EQ(script.shown, 2);
        EXPECT_EQ(folder.read("fonts.dat"), kFile);
        EXPECT_EQ(fonts, linesOf(kFile));
    }
}

TEST(TLabelFontsDlg, CancelChangesNothingAndTheNextOpeningShowsTheSavedFont) {
    TempFolder folder;
    const QString family = secondFamily();
    const std::string file = "x\r\n" + family.toStdString() + "\r\n12\r\n12\r\n10\r\n10\r\n10\r\n";
    folder.write("fonts.dat", file);
    FakePrompter prompter;
    TLabelFontsDlg dialog;
    LineList fonts = ReadLineList(folder.path() / "fonts.dat");
    DialogScript script(dialog);
    script.steps.push_back([](TLabelFontsDlg& d) {
        d.FontSelect->setCurrentIndex(0);
        typeSizes(d, {"20", "20", "20", "20", "20"});
        clickCancel(d);
    });
    script.steps.push_back([&](TLabelFontsDlg& d) {
        EXPECT_EQ(d.FontSelect->currentText(), family);
        EXPECT_EQ(d.trayleftfont->text(), "12");
        clickCancel(d);
    });
    EXPECT_FALSE(SetTagFonts(dialog, fonts, folder.path(), prompter));
    EXPECT_FALSE(SetTagFonts(dialog, fonts, folder.path(), prompter));
    EXPECT_EQ(folder.read("fonts.dat"), file);
}

TEST(TLabelFontsDlg, ArialPrintedThroughItsSubstituteStaysChosen) {
    if (QFontInfo(QFont("Arial")).family() == QFontInfo(QFont("No Such Font")).family()) {
        GTEST_SKIP() << "no family stands in for Arial here";
    }
    TempFolder folder;
    FakePrompter prompter;
    TLabelFontsDlg dialog;
    LineList fonts = linesOf("x\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\n");
    DialogScript script(dialog);
    script.steps.push_back([](TLabelFontsDlg& d) {
        EXPECT_EQ(d.FontSelect->currentText(), "Arial");
        clickOk(d);
    });
    ASSERT_TRUE(SetTagFonts(dialog, fonts, folder.path(), prompter));
    EXPECT_EQ(fonts[1], "Arial");
}

TEST(TLabelFontsDlg, ShortListIsCompletedOnOk) {
    TempFolder folder;
    FakePrompter prompter;
    TLabelFontsDlg dialog;
    LineList fonts = linesOf("x\r\nArial\r\n12\r\n");
    DialogScript script(dialog);
    script.steps.push_back([](TLabelFontsDlg& d) {
        EXPECT_EQ(d.trayleftfont->text(), "12");
        EXPECT_EQ(d.trayrightfont->text(), "");
        typeSizes(d, {"12", "12", "10", "10", "10"});
        clickOk(d);
    });
    ASSERT_TRUE(SetTagFonts(dialog, fonts, folder.path(), prompter));
    EXPECT_EQ(fonts.size(), 7u);
    EXPECT_EQ(fonts[6], "10");
}

TEST(TLabelFontsDlg, F1AsksForHelpContextSeven) {
    TLabelFontsDlg dialog;
    int context = 0;
    dialog.helpRequested = [&context](int asked) { context = asked; };
    dialog.show();
    QTest::keyClick(dialog.trayleftfont, Qt::Key_F1);
    EXPECT_EQ(context, 7);
}

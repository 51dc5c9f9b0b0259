// The Qt prompter: filters in Qt's form, one message box with the program's title,
// the right icon and its single button, questions, where the file dialogs start and the
// busy cursor.
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace marrowby {

TEST(QtPrompter, FiltersBecomeQtFilters) {
    EXPECT_EQ(ToQtFilter("All Files|*.*|Access|*.mdb|Ascii|*.txt;*.csv|dBase|*.dbf"),
              "All Files (*);;Access (*.mdb *.MDB);;Ascii (*.txt *.TXT *.csv *.CSV);;dBase (*.dbf "
              "*.DBF)");
    EXPECT_EQ(ToQtFilter(""), "");
}

TEST(QtPrompter, MessageBoxHasTitleIconTextAndOneButton) {
    struct Case {
        MessageIcon icon;
        MessageButton button;
        QMessageBox::Icon qtIcon;
        QMessageBox::StandardButton qtButton;
    } cases[] = {
        {MessageIcon::Error, MessageButton::Ok, QMessageBox::Critical, QMessageBox::Ok},
        {MessageIcon::Warning, MessageButton::Cancel, QMessageBox::Warning, QMessageBox::Cancel},
        {MessageIcon::Information, MessageButton::Ok, QMessageBox::Information, QMessageBox::Ok},
    };
    const char* text = "Barcodes added to \xC3\xA9t\xC3\xA9.txt";
    for (const Case& c : cases) {
        QtPrompter prompter;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->windowTitle(), "Marrowby");
            EXPECT_EQ(box->text(), QString::fromUtf8(text));
            EXPECT_EQ(box->icon(), c.qtIcon);
            EXPECT_EQ(box->buttons().size(), 1);
            ASSERT_NE(box->button(c.qtButton), nullptr);
            box->button(c.qtButton)->click();
        });
        prompter.message(c.icon, MessageBeep::Exclamation, text, c.button);
        EXPECT_TRUE(seen);
    }
}

TEST(QtPrompter, BusyShowsTheHourglassUntilCleared) {
    QtPrompter prompter;
    prompter.setBusy(true);
    prompter.setBusy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompter.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// One button per answer in the order given, the first the default (Enter takes the answer
// that changes least); the index of the one clicked, -1 when the box is dismissed.
TEST(QtPrompter, AskOffersEachAnswerWithTheFirstAsDefault) {
    for (const int chosen : {0, 1, -1}) {
        SCOPED_TRACE(chosen);
        QtPrompter prompter;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "Replace it?");
            const QList<QAbstractButton*> buttons = box->buttons();
            ASSERT_EQ(buttons.size(), 2);
            EXPECT_EQ(box->defaultButton()->text(), "Choose Another Name");
            if (chosen < 0) return box->reject();
            for (QAbstractButton* button : buttons) {
                if (button->text() == (chosen == 0 ? "Choose Another Name" : "Replace")) {
                    button->click();
                }
            }
        });
        EXPECT_EQ(prompter.ask("Replace it?", {"Choose Another Name", "Replace"}), chosen);
    }
}

// The file dialogs start in the folder given, or in the home folder: never in the
// current folder, which is the program folder.
TEST(QtPrompter, FileDialogsStartInTheFolderGivenOrHome) {
    TempFolder folder;
    for (const bool save : {false, true}) {
        for (const std::string& start : {folder.path().string(), std::string()}) {
            SCOPED_TRACE(testing::Message() << (save ? "save " : "open ") << start);
            QtPrompter prompter;
            QString started;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                started = dialog->directory().absolutePath();
                dialog->reject();
            });
            EXPECT_EQ(save ? prompter.saveFile("Save", "text files|*.txt", "txt", start)
                           : prompter.openFile("Open", "All Files|*.*", start),
                      "");
            const QString expected =
                start.empty() ? QDir::homePath() : QString::fromStdString(start);
            EXPECT_EQ(started, QDir(expected).absolutePath());
        }
    }
}

}  // namespace marrowby

// The preferences dialog driven through its real widgets: the enabling of FileName, F1,
// Next or Enter writing the whole list, Cancel writing nothing, and damaged lines.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "DialogInput.h"
#include "FakeHelp.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "app/TPrefDlog.h"

namespace marrowby {

namespace {
// Runs Preferences() on prefs.dat holding `file`, doing `actions` once the dialog is up.
struct DialogRun {
    TempFolder folder;
    FakeHelp help;
    TPrefDlog dialog{help, nullptr};
    FakePrompter prompter;
    bool ok = false;
    LineList preferences;

    DialogRun(const std::string& file, std::function<void(TPrefDlog&)> actions) {
        const auto path = folder.write("prefs.dat", file);
        preferences = ReadLineList(path);
        QTimer::singleShot(0, &dialog, [this, actions] {
            if (QApplication::activeModalWidget() != &dialog) {
                ADD_FAILURE() << "the dialog is not shown modally";
                return dialog.reject();
            }
            actions(dialog);
        });
        ok = Preferences(dialog, preferences, path, prompter);
    }
};

}  // namespace

// OK, Enter in the frame bar and Cancel on sound and damaged files: a damaged line gets a
// warning naming the file, the line and the values allowed, the dialog shows the first
// choice in its place, and Next saves the file; every other line is kept byte for byte.
TEST(PrefDlog, NextWritesTheWholeListKeepingOtherLinesAndCancelWritesNothing) {
    enum Press { Next, Enter, Cancel };
    struct Case {
        std::string file;
        int select;         // -1: left as it is
        int naming;         // used when select is 1
        const char* typed;  // nullptr: frame bar left as it is
        Press press;
        std::string written;
        std::string warning;  // before the path of the file
    } cases[] = {
        {"keep \xE9 me\r\n0\r\n0\r\n/\r\nfifth\tline\r\n\xFF\r\n", 1, 1, "|", Next,
         "keep \xE9 me\r\n1\r\n1\r\n|\r\nfifth\tline\r\n\xFF\r\n", ""},
        {"k\n1\n1\n|\n", 0, 1, "/", Next, "k\r\n0\r\n1\r\n/\r\n", ""},
        {"k\r\n0\r\n0\r\n/\r\n", 0, 0, "", Next, "k\r\n0\r\n0\r\n\r\n", ""},
        // A frame bar that is not UTF-8 comes back as the same byte when left alone.
        {"k\r\n0\r\n0\r\n\xA6\r\n", 1, 0, nullptr, Next, "k\r\n1\r\n0\r\n\xA6\r\n", ""},
        // The frame bar is one character.
        {"k\r\n0\r\n0\r\n/\r\n", -1, 0, "!?", Enter, "k\r\n0\r\n0\r\n!\r\n", ""},
        {"mine\n0\r\n0\r\n/\r\nmore\n", 1, 1, "|", Cancel, "mine\n0\r\n0\r\n/\r\nmore\n", ""},
        {"k\r\nx\r\n1\r\n|\r\n", -1, 0, nullptr, Enter, "k\r\n0\r\n1\r\n|\r\n",
         "prefs.dat line 2: 'x' is not 0 or 1.\n"},
        {"k\r\n1\r\n\r\n/\r\nmore\r\n", -1, 0, nullptr, Enter, "k\r\n1\r\n0\r\n/\r\nmore\r\n",
         "prefs.dat line 3: '' is not 0 or 1.\n"},
        {"k\r\nyes\r\nno\r\n", -1, 0, nullptr, Enter, "k\r\n0\r\n0\r\n/\r\n",
         "prefs.dat line 2: 'yes' is not 0 or 1.\nprefs.dat line 3: 'no' is not 0 or 1.\n"
         "prefs.dat line 4 is missing.\n"},
        {"k\r\nx\r\n0\r\n/\r\n", -1, 0, nullptr, Cancel, "k\r\nx\r\n0\r\n/\r\n",
         "prefs.dat line 2: 'x' is not 0 or 1.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DialogRun run(c.file, [&](TPrefDlog& dialog) {
            QApplication::setActiveWindow(&dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QTest::keyClick(dialog.leftBar, Qt::Key_F1);
            // File naming applies only to a file of barcodes only.
            EXPECT_EQ(dialog.FileName->isEnabled(), dialog.selectFile->itemIndex() == 1);
            if (c.select >= 0) ClickItem(dialog.selectFile, c.select);
            EXPECT_EQ(dialog.FileName->isEnabled(), dialog.selectFile->itemIndex() == 1);
            if (c.select == 1) ClickItem(dialog.FileName, c.naming);
            if (c.typed != nullptr) Type(dialog.leftBar, c.typed);
            if (c.press == Next) QTest::mouseClick(dialog.nextBtn, Qt::LeftButton);
            if (c.press == Enter) QTest::keyClick(dialog.leftBar, Qt::Key_Return);
            if (c.press == Cancel) QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
        });
        EXPECT_EQ(run.help.contexts, std::vector<int>{HelpContext::Preferences});
        EXPECT_EQ(run.ok, c.press != Cancel);
        EXPECT_EQ(run.folder.read("prefs.dat"), c.written);
        if (c.warning.empty()) {
            EXPECT_TRUE(run.prompter.messages.empty());
            EXPECT_EQ(run.preferences, ReadLineList(run.folder.path() / "prefs.dat"));
            continue;
        }
        ASSERT_EQ(run.prompter.messages.size(), 1u);
        EXPECT_EQ(run.prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(run.prompter.messages[0].text,
                  c.warning +
                      "\nThe Preferences dialog shows the first choice instead. Check the "
                      "choices and press Next to save them in " +
                      (run.folder.path() / "prefs.dat").string() + ".");
    }
}

}  // namespace marrowby

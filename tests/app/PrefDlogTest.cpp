// The preferences dialog driven through its real widgets: the enabling of FileName,
// OK writing the whole list, Cancel writing nothing, and a bad line.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "FakeHelp.h"
#include "FakePrompter.h"
#include "RadioGroupClick.h"
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

void TypeFrameBar(TPrefDlog& dialog, const QString& text) {
    dialog.leftBar->selectAll();
    QTest::keyClick(dialog.leftBar, Qt::Key_Delete);
    QTest::keyClicks(dialog.leftBar, text);
}
}  // namespace

TEST(PrefDlog, FileNameIsEnabledOnlyForABarcodesOnlyFileAndF1ShowsHelp) {
    FakeHelp help;
    TPrefDlog dialog(help, nullptr);
    EXPECT_TRUE(dialog.nextBtn->isDefault());
    EXPECT_EQ(dialog.leftBar->maxLength(), 1);

    dialog.setChoices({1, 0, "/"});
    dialog.show();
    EXPECT_TRUE(dialog.FileName->isEnabled());
    ClickItem(dialog.selectFile, 0);
    EXPECT_FALSE(dialog.FileName->isEnabled());
    ClickItem(dialog.selectFile, 1);
    EXPECT_TRUE(dialog.FileName->isEnabled());
    dialog.hide();
    dialog.setChoices({0, 1, "/"});
    dialog.show();
    EXPECT_FALSE(dialog.FileName->isEnabled());

    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.leftBar, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{7});
}

TEST(PrefDlog, OkWritesTheWholeListKeepingOtherLines) {
    struct Case {
        std::string file;
        int select;
        int naming;
        const char* typed;  // nullptr: frame bar left as it is
        std::string written;
    } cases[] = {
        {"keep \xE9 me\r\n0\r\n0\r\n/\r\nfifth\tline\r\n\xFF\r\n", 1, 1, "|",
         "keep \xE9 me\r\n1\r\n1\r\n|\r\nfifth\tline\r\n\xFF\r\n"},
        {"k\n1\n1\n|\n", 0, 1, "/", "k\r\n0\r\n1\r\n/\r\n"},
        {"k\r\n0\r\n0\r\n/\r\n", 0, 0, "", "k\r\n0\r\n0\r\n\r\n"},
        // A frame bar that is not UTF-8 comes back as the same byte when left alone.
        {"k\r\n0\r\n0\r\n\xA6\r\n", 1, 0, nullptr, "k\r\n1\r\n0\r\n\xA6\r\n"},
    };
    for (const Case& c : cases) {
        DialogRun run(c.file, [&](TPrefDlog& dialog) {
            ClickItem(dialog.selectFile, c.select);
            if (c.select == 1) ClickItem(dialog.FileName, c.naming);
            if (c.typed != nullptr) TypeFrameBar(dialog, c.typed);
            QTest::mouseClick(dialog.nextBtn, Qt::LeftButton);
        });
        EXPECT_TRUE(run.ok);
        EXPECT_EQ(run.folder.read("prefs.dat"), c.written);
        EXPECT_EQ(run.preferences, ReadLineList(run.folder.path() / "prefs.dat"));
        EXPECT_TRUE(run.prompter.messages.empty());
    }
    // Enter in the frame bar presses Next.
    DialogRun run("k\r\n0\r\n0\r\n/\r\n", [](TPrefDlog& dialog) {
        TypeFrameBar(dialog, "!");
        QTest::keyClick(dialog.leftBar, Qt::Key_Return);
    });
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.folder.read("prefs.dat"), "k\r\n0\r\n0\r\n!\r\n");
}

TEST(PrefDlog, CancelLeavesFileAndListAlone) {
    const std::string original = "mine\n0\r\n0\r\n/\r\nmore\n";
    DialogRun run(original, [](TPrefDlog& dialog) {
        ClickItem(dialog.selectFile, 1);
        ClickItem(dialog.FileName, 1);
        TypeFrameBar(dialog, "|");
        QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
    });
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.folder.read("prefs.dat"), original);
    EXPECT_EQ(run.preferences, (LineList{"mine", "0", "0", "/", "more"}));
}

// A damaged prefs.dat is mended in the dialog: a warning names the file, the line and the
// values allowed, the dialog shows the first choice in its place, and Next saves the file.
TEST(PrefDlog, DamagedLinesAreNamedAndMendedInTheDialog) {
    const struct {
        std::string file;
        std::string warning;  // before the path of the file
        std::string written;  // after Next, with nothing changed in the dialog
    } cases[] = {
        {"k\r\nx\r\n1\r\n|\r\n", "prefs.dat line 2: 'x' is not 0 or 1.\n", "k\r\n0\r\n1\r\n|\r\n"},
        {"k\r\n1\r\n\r\n/\r\nmore\r\n", "prefs.dat line 3: '' is not 0 or 1.\n",
         "k\r\n1\r\n0\r\n/\r\nmore\r\n"},
        {"k\r\nyes\r\nno\r\n",
         "prefs.dat line 2: 'yes' is not 0 or 1.\n"
         "prefs.dat line 3: 'no' is not 0 or 1.\nprefs.dat line 4 is missing.\n",
         "k\r\n0\r\n0\r\n/\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        bool shown = false;
        DialogRun run(c.file, [&](TPrefDlog& dialog) {
            shown = true;
            QTest::keyClick(dialog.leftBar, Qt::Key_Return);
        });
        EXPECT_TRUE(shown);
        EXPECT_TRUE(run.ok);
        ASSERT_EQ(run.prompter.messages.size(), 1u);
        EXPECT_EQ(run.prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(run.prompter.messages[0].text,
                  c.warning +
                      "\nThe Preferences dialog shows the first choice instead. Check the "
                      "choices and press Next to save them in " +
                      (run.folder.path() / "prefs.dat").string() + ".");
        EXPECT_EQ(run.folder.read("prefs.dat"), c.written);
    }
    // Cancel leaves the damaged file as it was.
    DialogRun cancelled("k\r\nx\r\n0\r\n/\r\n", [](TPrefDlog& dialog) { dialog.reject(); });
    EXPECT_FALSE(cancelled.ok);
    EXPECT_EQ(cancelled.folder.read("prefs.dat"), "k\r\nx\r\n0\r\n/\r\n");
}

}  // namespace marrowby

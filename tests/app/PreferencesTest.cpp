// prefs.dat and fonts.dat created or completed with defaults, every existing line kept byte
// for byte, and the preference choices read from the list; the preferences dialog driven
// through its real widgets: the enabling of FileName, F1, Next or Enter writing the whole
// list, Cancel writing nothing, and damaged lines (tests/data/app/settings-completed.tsv,
// preference-choices.tsv and preferences-dialog.tsv).
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "FakePrompter.h"
#include "FormDriving.h"
#include "TempFolder.h"
#include "TestData.h"
#include "app/Settings.h"
#include "app/TPrefDlog.h"

namespace marrowby {

TEST(Settings, MissingOrShortFilesAreCompletedAndExistingLinesKept) {
    for (const auto& row : CaseRows("app/settings-completed.tsv", 5)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        TempFolder folder;
        if (row[3] != "(none)") folder.write(row[2], row[3]);
        const LineList lines =
            row[2] == "prefs.dat" ? LoadPreferences(folder.path()) : LoadTagFonts(folder.path());
        EXPECT_EQ(folder.read(row[2]), row[4]);
        EXPECT_EQ(lines, ReadLineList(folder.path() / row[2]));
    }
}

TEST(Settings, ChoicesAreReadFromLinesTwoToFourAndBadOnesReportedWithTheirText) {
    for (const auto& row : CaseRows("app/preference-choices.tsv", 6)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        LineList lines{"x", row[2], row[3], row[4]};
        if (row[4] == "(none)") lines.pop_back();
        EXPECT_EQ(ValueOrError([&] {
                      const PreferenceChoices c = ReadChoices(lines);
                      return std::to_string(c.saveMode) + " " + std::to_string(c.fileNaming) + " " +
                             c.frameBar;
                  }),
                  row[5]);
    }
}

// A damaged line gets a warning naming the file, the line and the values allowed, the
// dialog shows the first choice in its place, and Next saves the file; every other line is
// kept byte for byte.
TEST(PrefDlog, NextWritesTheWholeListKeepingOtherLinesAndCancelWritesNothing) {
    for (const auto& row : CaseRows("app/preferences-dialog.tsv", 7)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        TempFolder folder;
        FakeHelp help;
        TPrefDlog dialog{help, nullptr};
        FakePrompter prompter;
        const auto path = folder.write("prefs.dat", row[2]);
        LineList preferences = ReadLineList(path);
        QTimer::singleShot(0, &dialog, [&] {
            if (QApplication::activeModalWidget() != &dialog) {
                ADD_FAILURE() << "the dialog is not shown modally";
                return dialog.reject();
            }
            QApplication::setActiveWindow(&dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QTest::keyClick(dialog.leftBar, Qt::Key_F1);
            // File naming applies only to a file of barcodes only.
            EXPECT_EQ(dialog.FileName->isEnabled(), dialog.selectFile->itemIndex() == 1);
            Enter(row[3], {{"selectFile", dialog.selectFile}, {"FileName", dialog.FileName}},
                  {{"leftBar", dialog.leftBar}});
            EXPECT_EQ(dialog.FileName->isEnabled(), dialog.selectFile->itemIndex() == 1);
            if (row[4] == "Next") QTest::mouseClick(dialog.nextBtn, Qt::LeftButton);
            if (row[4] == "Enter") QTest::keyClick(dialog.leftBar, Qt::Key_Return);
            if (row[4] == "Cancel") QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
        });
        const bool ok = Preferences(dialog, preferences, path, prompter);
        EXPECT_EQ(help.contexts, std::vector<int>{HelpContext::Preferences});
        EXPECT_EQ(ok, row[4] != "Cancel");
        EXPECT_EQ(folder.read("prefs.dat"), row[5]);
        if (row[6].empty()) {
            EXPECT_TRUE(prompter.messages.empty());
            EXPECT_EQ(preferences, ReadLineList(folder.path() / "prefs.dat"));
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(prompter.messages[0].text,
                  row[6] +
                      "\nThe Preferences dialog shows the first choice instead. Check the "
                      "choices and press Next to save them in " +
                      (folder.path() / "prefs.dat").string() + ".");
    }
}

}  // namespace marrowby

// prefs.dat and fonts.dat: created or completed with defaults, every existing line kept
// byte for byte; the preference choices read from the list (tests/data/app/
// settings-completed.tsv and preference-choices.tsv).
#include "app/Settings.h"

#include <gtest/gtest.h>

#include "../platform/CaseTable.h"
#include "TempFolder.h"
#include "engine/MarrowbyError.h"

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
        std::string read;
        try {
            const PreferenceChoices c = ReadChoices(lines);
            read =
                std::to_string(c.saveMode) + " " + std::to_string(c.fileNaming) + " " + c.frameBar;
        } catch (const MarrowbyError& error) {
            read = std::string("! ") + error.what();
        }
        EXPECT_EQ(read, row[5]);
    }
}

}  // namespace marrowby

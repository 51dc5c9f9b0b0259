// prefs.dat and fonts.dat: created or completed with defaults, every existing line
// kept byte for byte; the preference choices read from the list.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

TEST(Settings, MissingOrShortFilesAreCompletedAndExistingLinesKept) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: no file
        std::string after;
    } cases[] = {
        {"prefs.dat", nullptr, "Marrowby preferences\r\n0\r\n0\r\n/\r\n"},
        {"prefs.dat", "", "Marrowby preferences\r\n0\r\n0\r\n/\r\n"},
        {"prefs.dat", "mine \xE9\n1", "mine \xE9\r\n1\r\n0\r\n/\r\n"},
        // A complete file is not rewritten, not even its line ends.
        {"prefs.dat", "x\n1\r1\r\n|\n  extra\t\xFF\n", "x\n1\r1\r\n|\n  extra\t\xFF\n"},
        {"prefs.dat", "x\n1\r1\r\n|", "x\n1\r1\r\n|"},
        {"fonts.dat", nullptr, "Marrowby tag fonts\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " " << (c.before ? c.before : "(none)"));
        TempFolder folder;
        if (c.before != nullptr) folder.write(c.name, c.before);
        const std::string name = c.name;
        const LineList lines =
            name == "prefs.dat" ? LoadPreferences(folder.path()) : LoadTagFonts(folder.path());
        EXPECT_EQ(folder.read(name), c.after);
        EXPECT_EQ(lines, ReadLineList(folder.path() / name));
    }
}

TEST(Settings, ChoicesAreReadFromLinesTwoToFourAndBadOnesReportedWithTheirText) {
    struct Case {
        LineList lines;
        PreferenceChoices choices;
        std::string message;  // empty: read without error
    } cases[] = {
        {{"x", "0", "0", "/"}, {0, 0, "/"}, ""},
        {{"x", "1", "1", "|"}, {1, 1, "|"}, ""},
        {{"x", " 1", "+1", ""}, {1, 1, ""}, ""},
        // The file run takes every value but 1 as the first choice; so does the dialog.
        {{"x", "5", "-1", "\xA6"}, {0, 0, "\xA6"}, ""},
        {{"x", "abc", "0", "/"}, {}, "prefs.dat line 2: 'abc' is not 0 or 1"},
        {{"x", "0", "1x", "/"}, {}, "prefs.dat line 3: '1x' is not 0 or 1"},
        {{"x", "", "0", "/"}, {}, "prefs.dat line 2: '' is not 0 or 1"},
        {{"x", "0", "99999999999", "/"}, {}, "prefs.dat line 3: '99999999999' is not 0 or 1"},
        {{"x", "0", "0"}, {}, "prefs.dat line 4 is missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.lines));
        try {
            const PreferenceChoices choices = ReadChoices(c.lines);
            EXPECT_EQ(c.message, "");
            EXPECT_EQ(choices.saveMode, c.choices.saveMode);
            EXPECT_EQ(choices.fileNaming, c.choices.fileNaming);
            EXPECT_EQ(choices.frameBar, c.choices.frameBar);
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

}  // namespace marrowby

// prefs.dat and fonts.dat: created or completed with defaults, every existing line
// kept byte for byte; the preference choices read from and stored into the list.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"

TEST(Settings, MissingOrShortFilesAreCompletedAndExistingLinesKept) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: no file
        LineList lines;
        std::string after;
    } cases[] = {
        {"prefs.dat",
         nullptr,
         {"Marrowby preferences", "0", "0", "/"},
         "Marrowby preferences\r\n0\r\n0\r\n/\r\n"},
        {"prefs.dat", "mine \xE9\n1", {"mine \xE9", "1", "0", "/"}, "mine \xE9\r\n1\r\n0\r\n/\r\n"},
        {"prefs.dat",
         "",
         {"Marrowby preferences", "0", "0", "/"},
         "Marrowby preferences\r\n0\r\n0\r\n/\r\n"},
        // A complete file is not rewritten, not even its line ends.
        {"prefs.dat",
         "x\n1\r1\r\n|\n  extra\t\xFF\n",
         {"x", "1", "1", "|", "  extra\t\xFF"},
         "x\n1\r1\r\n|\n  extra\t\xFF\n"},
        {"fonts.dat",
         nullptr,
         {"Marrowby tag fonts", "Arial", "12", "12", "10", "10", "10"},
         "Marrowby tag fonts\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\n"},
        {"fonts.dat",
         "note\r\nTimes\r\n14\r\n",
         {"note", "Times", "14", "12", "10", "10", "10"},
         "note\r\nTimes\r\n14\r\n12\r\n10\r\n10\r\n10\r\n"},
        {"fonts.dat",
         "a\nb\n1\n2\n3\n4\n5\nkept \x80\n",
         {"a", "b", "1", "2", "3", "4", "5", "kept \x80"},
         "a\nb\n1\n2\n3\n4\n5\nkept \x80\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        if (c.before != nullptr) folder.write(c.name, c.before);
        const std::string name = c.name;
        const LineList lines =
            name == "prefs.dat" ? LoadPreferences(folder.path()) : LoadTagFonts(folder.path());
        EXPECT_EQ(lines, c.lines) << name << " " << (c.before ? c.before : "(none)");
        EXPECT_EQ(folder.read(name), c.after) << name << " " << (c.before ? c.before : "(none)");
    }
}

TEST(Settings, AFolderInPlaceOfTheFileCannotBeOpened) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "prefs.dat");
    EXPECT_THROW(LoadPreferences(folder.path()), MarrowbyError);
}

TEST(Settings, ChoicesAreReadFromLinesTwoToFour) {
    struct Case {
        LineList lines;
        int saveMode;
        int fileNaming;
        std::string frameBar;
    } cases[] = {
        {{"x", "0", "0", "/"}, 0, 0, "/"},
        {{"x", "1", "1", "|"}, 1, 1, "|"},
        {{"x", " 1", "+1", ""}, 1, 1, ""},
        // The file run takes every value but 1 as the first choice; so does the dialog.
        {{"x", "5", "-1", "\xA6"}, 0, 0, "\xA6"},
    };
    for (const Case& c : cases) {
        const PreferenceChoices choices = ReadChoices(c.lines);
        EXPECT_EQ(choices.saveMode, c.saveMode) << c.lines[1];
        EXPECT_EQ(choices.fileNaming, c.fileNaming) << c.lines[2];
        EXPECT_EQ(choices.frameBar, c.frameBar);
    }
}

TEST(Settings, BadChoiceLinesAreReportedWithTheirText) {
    struct Case {
        LineList lines;
        std::string message;
    } cases[] = {
        {{"x", "abc", "0", "/"}, "'abc' is not a valid integer value"},
        {{"x", "0", "1x", "/"}, "'1x' is not a valid integer value"},
        {{"x", "", "0", "/"}, "'' is not a valid integer value"},
        {{"x", "0", "99999999999", "/"}, "'99999999999' is not a valid integer value"},
        {{"x", "0", "0"}, "List index out of bounds (3)"},
    };
    for (const Case& c : cases) {
        try {
            ReadChoices(c.lines);
            ADD_FAILURE() << c.message;
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

TEST(Settings, StoringChoicesChangesOnlyLinesTwoToFour) {
    LineList lines = {"first \xE9", "0", "0", "/", "fifth", "\xFF"};
    StoreChoices({1, 1, "|"}, lines);
    EXPECT_EQ(lines, (LineList{"first \xE9", "1", "1", "|", "fifth", "\xFF"}));
}

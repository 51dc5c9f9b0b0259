// Settings files keep every byte of every line, whatever the line ends were.
#include "platform/SettingsFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"

TEST(SettingsFile, ReadsEveryKindOfLineEndAndKeepsBytes) {
    struct Case {
        std::string bytes;
        LineList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r\n\r\n", {"a", "b", ""}},
        {" x \t\xE9\r\n", {" x \t\xE9"}},
        {"", {}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        EXPECT_EQ(ReadLineList(folder.write("f.dat", c.bytes)), c.lines) << c.bytes;
    }
}

TEST(SettingsFile, WritesCrLfAfterEveryLine) {
    TempFolder folder;
    WriteLineList(folder.path() / "f.dat", {"one", "", "\xD2three"});
    EXPECT_EQ(folder.read("f.dat"), "one\r\n\r\n\xD2three\r\n");
}

TEST(SettingsFile, MissingFileIsCannotOpen) {
    TempFolder folder;
    try {
        ReadLineList(folder.path() / "prefs.dat");
        FAIL();
    } catch (const MarrowbyError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file " + (folder.path() / "prefs.dat").string());
    }
}

TEST(SettingsFile, FolderInPlaceOfTheFileIsCannotOpen) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "fonts.dat");
    try {
        ReadLineList(folder.path() / "fonts.dat");
        FAIL();
    } catch (const MarrowbyError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file " + (folder.path() / "fonts.dat").string());
    }
}

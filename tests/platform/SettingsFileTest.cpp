// Settings files keep every byte of every line, whatever the line ends were.
#include "platform/SettingsFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"

TEST(SettingsFile, ReadsEveryKindOfLineEndAndWritesCrLf) {
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
    WriteLineList(folder.path() / "f.dat", {"one", "", "\xD2three"});
    EXPECT_EQ(folder.read("f.dat"), "one\r\n\r\n\xD2three\r\n");
}

TEST(SettingsFile, MissingFileOrFolderInItsPlaceIsCannotOpen) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "fonts.dat");
    for (const char* name : {"prefs.dat", "fonts.dat"}) {
        const std::filesystem::path file = folder.path() / name;
        try {
            ReadLineList(file);
            ADD_FAILURE() << name;
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + file.string());
        }
    }
}

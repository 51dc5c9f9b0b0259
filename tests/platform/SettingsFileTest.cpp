// Settings files keep every byte of every line, whatever the line ends were.
#include "platform/SettingsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "TempFolder.h"
#include "TestData.h"

namespace marrowby {

TEST(SettingsFile, ReadsEveryKindOfLineEndWritesCrLfAndNamesAFileItCannotOpen) {
    TempFolder folder;
    for (const auto& row : CaseRows("platform/settings-file-lines.tsv", 3)) {
        EXPECT_EQ(ReadLineList(folder.write("f.dat", row[2])), LineList(row.begin() + 3, row.end()))
            << "row " << row[0];
    }
    // Another program's scratch file beside it is neither used nor in the way.
    std::filesystem::create_directory(folder.path() / "f.dat.new");
    WriteLineList(folder.path() / "f.dat", {"one", "", "\xD2three"});
    EXPECT_EQ(folder.read("f.dat"), "one\r\n\r\n\xD2three\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);

    // A missing file, or a folder in its place, cannot be opened.
    std::filesystem::create_directory(folder.path() / "fonts.dat");
    for (const char* name : {"prefs.dat", "fonts.dat"}) {
        const std::filesystem::path file = folder.path() / name;
        EXPECT_EQ(ErrorOf([&] { ReadLineList(file); }), "Cannot open file " + file.string());
    }
}

TEST(SettingsFile, TheSettingsFolderIsNeverASharedOne) {
    for (const auto& row : CaseRows("platform/config-folders.tsv", 6)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        std::string found;
        EXPECT_EQ(ErrorOf([&] {
                      found = ConfigFolder({row[2], row[3], row[4], 1000}).string();
                  }),
                  row[5].empty() ? "Marrowby cannot find your home folder for its settings: HOME "
                                   "is not set and user id 1000 has no home folder in the "
                                   "password database"
                                 : "");
        EXPECT_EQ(found, row[5]);
    }
}

// Others must not be able to change the settings, as owners or through the mode bits.
TEST(SettingsFile, SettingsOthersCanChangeAreRefusedWithTheirPath) {
    const uid_t me = geteuid();
    const gid_t myGroup = getegid();
    // Running as root the file goes to "nobody"; otherwise the check is asked for a user
    // who is not the owner.
    const uid_t otherUser = me == 0 ? 65534 : me + 1;
    struct Case {
        const char* name;
        mode_t mode;
        bool ownedByOther;
        gid_t group;
        std::string problem;  // empty: trusted
    } cases[] = {
        {"own", 0644, false, myGroup, ""},
        {"own-group-writable", 0664, false, myGroup, ""},
        {"writable-by-all", 0646, false, myGroup, " can be changed by other users"},
        {"foreign-group-writable", 0664, false, myGroup + 1, " can be changed by other users"},
        {"foreign", 0644, true, myGroup,
         " belongs to another user (user id " + std::to_string(me == 0 ? otherUser : me) + ")"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path file = folder.write(c.name, "x\r\n");
        ASSERT_EQ(chmod(file.c_str(), c.mode), 0);
        uid_t user = me;
        if (c.ownedByOther && me == 0) {
            ASSERT_EQ(chown(file.c_str(), otherUser, -1), 0);
        } else if (c.ownedByOther) {
            user = otherUser;
        }
        EXPECT_EQ(ErrorOf([&] { CheckTrusted(file, user, c.group); }),
                  c.problem.empty()
                      ? ""
                      : file.string() + c.problem +
                            "; Marrowby does not use settings that others can change");
        if (user != me || c.group != myGroup) continue;
        if (c.problem.empty())
            EXPECT_EQ(ReadLineList(file), LineList{"x"});
        else
            EXPECT_THROW(ReadLineList(file), MarrowbyError);
    }
}

}  // namespace marrowby

// recent.dat: the folder of the last list opened, followed only while it is usable, and
// remembering that never stops a run.
#include "platform/RecentListFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace marrowby {

namespace fs = std::filesystem;

TEST(RecentListFolder, FollowsOnlyAnExistingFolderFromItsOwnFileAndNeverThrows) {
    TempFolder program;
    TempFolder lists;
    const std::string listFolder = lists.path().string();
    const struct {
        const char* what;
        std::string file;  // recent.dat; "-" for none
        std::string folder;
    } cases[] = {
        {"none yet", "-", ""},
        {"a folder", "Marrowby recent folders\r\n" + listFolder + "\r\n", listFolder},
        {"LF line ends", "Marrowby recent folders\n" + listFolder + "\n", listFolder},
        {"no folder line", "Marrowby recent folders\r\n", ""},
        {"a folder that is gone", "x\r\n" + listFolder + "/gone\r\n", ""},
        {"a relative folder", "x\r\n.\r\n", ""},
        {"a file, not a folder", "x\r\n" + listFolder + "/l.txt\r\n", ""},
    };
    lists.write("l.txt", "a\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(program.path() / "recent.dat");
        if (c.file != "-") program.write("recent.dat", c.file);
        EXPECT_EQ(RecentListFolder(program.path() / "recent.dat").folder(), c.folder);
    }
    // A file others can change is not followed.
    program.write("recent.dat", "x\r\n" + listFolder + "\r\n");
    ::chmod((program.path() / "recent.dat").c_str(), 0666);
    EXPECT_EQ(RecentListFolder(program.path() / "recent.dat").folder(), "");

    // Remembered as the list's folder in two lines, and followed.
    fs::remove(program.path() / "recent.dat");
    RecentListFolder recent(program.path() / "recent.dat");
    recent.remember((lists.path() / "My List.txt").string());
    EXPECT_EQ(program.read("recent.dat"), "Marrowby recent folders\r\n" + listFolder + "\r\n");
    EXPECT_EQ(recent.folder(), listFolder);

    // A program folder that cannot take the file: the list opens all the same.
    RecentListFolder nowhere(program.path() / "missing" / "recent.dat");
    EXPECT_NO_THROW(nowhere.remember((lists.path() / "l.txt").string()));
    EXPECT_EQ(nowhere.folder(), "");
}

}  // namespace marrowby

// recent.dat: the folder of the last list opened, followed only while it is usable
// (tests/data/platform/recent-folders.tsv), and remembering that never stops a run.
#include "platform/RecentListFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "TestData.h"

namespace marrowby {

namespace fs = std::filesystem;

TEST(RecentListFolder, FollowsOnlyAnExistingFolderFromItsOwnFileAndNeverThrows) {
    TempFolder program;
    TempFolder lists;
    const std::string listFolder = lists.path().string();
    lists.write("l.txt", "a\r\n");
    for (const auto& row : CaseRows("platform/recent-folders.tsv", 4)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        const auto withLists = [&](std::string text) {
            const size_t at = text.find("{lists}");
            return at == std::string::npos ? text : text.replace(at, 7, listFolder);
        };
        fs::remove(program.path() / "recent.dat");
        if (row[2] != "(none)") program.write("recent.dat", withLists(row[2]));
        EXPECT_EQ(RecentListFolder(program.path() / "recent.dat").folder(), withLists(row[3]));
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

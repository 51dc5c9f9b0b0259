// Rewriting a text list safely: links, locks held by other programs, the scratch file, a
// list changed behind the run's back, and files that are not files at all.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ListTestSupport.h"
#include "LockInAnotherProcess.h"
#include "TempFolder.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line + "\r\n";
    return text;
}

bool LockedByAnother(const fs::path& path) {
    const int other = ::open(path.c_str(), O_RDWR);
    const bool locked = ::flock(other, LOCK_EX | LOCK_NB) != 0;
    ::close(other);
    return locked;
}

}  // namespace

// Every list is readable by its owner only, beside a user's own mrbtemp.txt that no run may
// touch.
TEST(ListSafety, LocksScratchFileAndListsChangedDuringTheRun) {
    const std::string input = Repeat(kRecord, 10);
    const std::string changed = "The file was not changed; open it again to add the barcodes.";
    const std::string inUse =
        "Marrowby cannot add barcodes to l.txt: another application is using it. The file was "
        "not changed.";
    const std::string duringRun =
        "l.txt was changed by another program during the run. Marrowby left it as that program "
        "made it and stored no barcodes; run again to add them.";
    const auto append = [](const fs::path& f) {
        std::ofstream(f / "l.txt", std::ios::app) << "new\r\n";
    };
    enum Lock { kNoLock, kFileLock, kRangeLock };
    const struct {
        const char* what;
        Lock lock;  // held by another program throughout
        bool inDialog;
        std::function<void(const fs::path&)> act;  // while the dialog is open, or during the run
        std::string message;                       // empty: the run succeeds
        std::string after;                         // the list's bytes afterwards
    } cases[] = {
        {"the lock is held for the whole run and nobody else may read the copy", kNoLock, false,
         [](const fs::path& f) {
             EXPECT_TRUE(LockedByAnother(f / "l.txt"));
             const std::vector<std::string> names = FolderNames(f);
             ASSERT_EQ(names.size(), 3u);
             EXPECT_EQ(fs::status(f / names[1]).permissions(),
                       fs::perms::owner_read | fs::perms::owner_write)
                 << names[1];
         },
         "", Repeat(kRecord + "\t" + kCode, 10)},
        {"a whole-file lock of another program", kFileLock, false, nullptr, inUse, input},
        {"a record lock of another program", kRangeLock, false, nullptr, inUse, input},
        {"records added while the dialog is open", kNoLock, true, append,
         "Marrowby cannot add barcodes to l.txt: it has changed since it was opened. " + changed,
         input + "new\r\n"},
        {"records added during the run", kNoLock, false, append, duringRun, input + "new\r\n"},
        {"the list cut during the run", kNoLock, false,
         [&](const fs::path& f) { fs::resize_file(f / "l.txt", input.size() / 2); }, duringRun,
         input.substr(0, input.size() / 2)},
        {"the list replaced by a new file during the run", kNoLock, false,
         [&](const fs::path& f) {
             std::ofstream(f / "new.txt") << input;
             fs::rename(f / "new.txt", f / "l.txt");
         },
         duringRun, input},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        RoadFixture road;
        const fs::path list = folder.write("l.txt", input);
        ::chmod(list.c_str(), 0600);
        folder.write("mrbtemp.txt", "mine");
        const int other =
            c.lock == kNoLock ? -1 : LockInAnotherProcess(list, c.lock == kRangeLock, 5, 3);
        const auto act = [&] { c.act(folder.path()); };
        if (c.act && c.inDialog) road.identifier.onShow = act;
        if (c.act && !c.inDialog) road.progress.atStep = act;
        EXPECT_EQ(road.run({list.string()}, {kTabAnswer}), c.message.empty() ? 0 : 1);
        EXPECT_EQ(road.messageTexts(),
                  std::vector<std::string>{c.message.empty() ? "Barcodes have been added to l.txt."
                                                             : c.message});
        EXPECT_EQ(folder.read("l.txt"), c.after);
        EXPECT_EQ(folder.read("mrbtemp.txt"), "mine");
        EXPECT_EQ(FolderNames(folder.path()), (std::vector<std::string>{"l.txt", "mrbtemp.txt"}));
        if (other >= 0) {
            ::close(other);
            ::wait(nullptr);
        }
    }
}

TEST(ListSafety, LinkedListsGetTheirBarcodesUnderEveryName) {
    const std::string input = Repeat(kRecord, 3);
    const std::string coded = Repeat(kRecord + "\t" + kCode, 3);
    TempFolder folder;
    fs::create_directory(folder.path() / "real");
    const fs::path real = folder.write("real/l.txt", input);
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, folder.path() / "link.txt");
    fs::create_hard_link(real, folder.path() / "second.txt");
    struct stat before {};
    ::stat(real.c_str(), &before);

    for (const char* name : {"link.txt", "second.txt", "real/l.txt"}) {
        SCOPED_TRACE(name);
        folder.write("real/l.txt", input);
        RoadFixture road;
        EXPECT_EQ(road.run({(folder.path() / name).string()}, {kTabAnswer}), 0);
        EXPECT_TRUE(fs::is_symlink(folder.path() / "link.txt"));
        for (const char* each : {"link.txt", "second.txt", "real/l.txt"}) {
            EXPECT_EQ(folder.read(each), coded) << each;
        }
        struct stat after {};
        ::stat(real.c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino) << "the names still share one file";
        EXPECT_EQ(after.st_nlink, 2u);
        EXPECT_EQ(after.st_mode & 07777, 0640u);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(FolderNames(folder.path() / "real"), std::vector<std::string>{"l.txt"});
        EXPECT_EQ(FolderNames(folder.path()),
                  (std::vector<std::string>{"link.txt", "real", "second.txt"}));
    }
}

TEST(ListSafety, PipesFoldersAndDevicesAreRefusedWithoutWaiting) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder.path() / "pipe.txt").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder.path() / "pipe.dbf").c_str(), 0600), 0);
    fs::create_directory(folder.path() / "folder.txt");
    const std::pair<std::string, std::string> cases[] = {
        {(folder.path() / "pipe.txt").string(),
         "pipe.txt is a pipe, not a file: it cannot hold a mailing list."},
        {(folder.path() / "folder.txt").string(),
         "folder.txt is a folder, not a file: it cannot hold a mailing list."},
        {"/dev/zero", "zero is a device, not a file: it cannot hold a mailing list."},
        {(folder.path() / "pipe.dbf").string(),
         "Marrowby could not read pipe.dbf. The file may be in use by another application. It "
         "is not a file."},
    };
    // A regression waits for a writer forever: the alarm ends the test as a failure.
    ::alarm(10);
    for (const auto& [path, message] : cases) {
        RoadFixture road;
        EXPECT_EQ(road.run({path, "NOSTOP"}), 1) << path;
        EXPECT_EQ(road.messageTexts(), std::vector<std::string>{message});
    }
    ::alarm(0);
}

// An Intelligent Mail run into the list or into Barcode.txt alike is refused whole when the
// list is damaged behind its back, in its last line beyond what its reader has buffered (1.3
// MB against reads of 1 MB): no file is left and the menu is enabled, yet the serials handed
// out are kept.
TEST(ListSafety, AnIntelligentMailRunThatFailsMidwayLeavesNoFileButKeepsItsSerials) {
    TempFolder folder;
    RoadFixture road;
    road.useMailer("1 123456 41");
    const std::string input = Repeat(kRecord, 50000);
    const std::string path = (folder.path() / "l.txt").string();
    road.progress.atStep = [&] {
        const int descriptor = ::open(path.c_str(), O_WRONLY);
        ASSERT_EQ(::pwrite(descriptor, "\0", 1, off_t(input.size() - 10)), 1);
        ::close(descriptor);
    };
    // Records 1 to 49999 take their serials, though their barcodes are not kept.
    for (const auto& [barcodesOnly, next] : {std::pair{"0", "50040"}, {"1", "100039"}}) {
        SCOPED_TRACE(barcodesOnly);
        road.preferences[1] = barcodesOnly;
        EXPECT_EQ(road.run({folder.write("l.txt", input).string(), "NOSTOP"}), 1);
        EXPECT_EQ(
            road.messageTexts(),
            std::vector<std::string>{"l.txt is not a text file: line 50000 holds a NUL byte."});
        EXPECT_EQ(fs::file_size(path), input.size());
        EXPECT_EQ(FolderNames(folder.path()), std::vector<std::string>{"l.txt"});
        EXPECT_EQ(road.commandsEnabled, (std::vector<bool>{false, true}));
        EXPECT_EQ(road.mailer(), MailerFile("1 123456 " + std::string(next)));
    }
}

}  // namespace marrowby

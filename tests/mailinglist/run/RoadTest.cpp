// "Add Barcodes to a File" end to end on real text lists, the dialogs scripted, and the safe
// rewrite of a list: links, locks, the scratch file, changes behind the run's back.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

#include "ListTestSupport.h"
#include "LockInAnotherProcess.h"
#include "platform/RecentListFolder.h"

namespace marrowby {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

// The current folder stands for the program folder, where nothing of a run may land.
class RoadTest : public ::testing::Test, protected RoadFixture {
  protected:
    using RoadFixture::run;
    // Writes the list first.
    int run(const std::string& name, const std::string& bytes,
            std::vector<FakeIdentifierAnswer> answers = {}, const std::string& option = "") {
        Texts arguments{folder.write(name, bytes).string()};
        if (!option.empty()) arguments.push_back(option);
        return run(arguments, std::move(answers));
    }

    TempFolder folder;
    TempFolder programFolder;
    CurrentFolder inProgramFolder{programFolder.path()};
};

std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line + "\r\n";
    return text;
}

// Ends in "..." where only the start of a text is given.
void ExpectText(const std::string& actual, const std::string& expected) {
    if (!expected.ends_with("...")) {
        EXPECT_EQ(actual, expected);
    } else {
        EXPECT_EQ(actual.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3));
    }
}

// What happens to the list of a safety row, or to its folder, while the run goes on.
void Act(const std::string& act, const fs::path& sub, std::size_t size) {
    const fs::path list = sub / "l.txt";
    if (act.starts_with("append")) {
        std::ofstream(list, std::ios::app) << "new\r\n";
    } else if (act.starts_with("cut")) {
        fs::resize_file(list, size / 2);
    } else if (act.starts_with("replace")) {
        fs::copy_file(list, sub / "new.txt");
        fs::rename(sub / "new.txt", list);
    } else if (act.starts_with("vanish")) {
        fs::remove_all(sub);
    } else {
        ASSERT_EQ(act, "lock-check@step");
        const int other = ::open(list.c_str(), O_RDWR);
        EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0) << "the run holds no lock";
        ::close(other);
        const std::vector<std::string> names = FolderNames(sub);
        ASSERT_EQ(names.size(), 3u);
        EXPECT_EQ(fs::status(sub / names[1]).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write)
            << names[1];
    }
}

}  // namespace

TEST_F(RoadTest, GoldenRuns) {
    const std::string list = (folder.path() / "List.TXT").string();
    const auto rows = CaseRows("road/runs.tsv");
    ASSERT_GE(rows.size(), 29u);
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(1));
        ASSERT_EQ(r.size(), 16u);
        useMailer(r[14]);
        preferences[1] = r[2];
        fs::remove(folder.path() / "Barcode.txt");
        std::vector<FakeIdentifierAnswer> answers;
        for (const std::string& answer : SplitField(r[4], ';'))
            answers.push_back({RolesFrom(answer), !answer.ends_with("cancel")});
        const std::string& input = r[5];
        errors.str("");
        EXPECT_EQ(run("List.TXT", input, answers, r[3]), std::stoi(r[6]));
        EXPECT_EQ(folder.read("List.TXT"), r[7] == "=" ? input : r[7]);
        EXPECT_EQ(ReadBytes(folder.path() / "Barcode.txt"), r[8] == "-" ? "" : r[8]);
        EXPECT_EQ(FolderNames(folder.path()).size(), r[8] == "-" ? 1u : 2u);
        const Texts expected = SplitField(r[9], '|');
        ASSERT_EQ(prompter.messages.size(), expected.size())
            << testing::PrintToString(messageTexts());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            std::string text = expected[i];
            if (const auto at = text.find("{folder}"); at != std::string::npos)
                text.replace(at, 8, folder.path().string());
            ExpectText(prompter.messages[i].text, text);
        }
        EXPECT_EQ(r[10].empty() ? "" : BoxText(prompter.messages.at(0)), r[10]);
        ExpectText(errors.str(), r[11]);
        const Texts shown = SplitField(r[12], ';');
        ASSERT_EQ(identifier.shown.size(), shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const FieldRoles& roles = identifier.shown[i];
            EXPECT_EQ(roles, shown[i] == "~" ? roles : RolesFrom(shown[i])) << i;
        }
        // The dialog offers the barcode field only when barcodes go into the list.
        for (const bool addMode : identifier.addModes) EXPECT_EQ(addMode, r[2] == "0");
        if (r[13] == "run") {
            // The menu is disabled for as long as the run lasts and no longer.
            EXPECT_EQ(commandsEnabled, (std::vector<bool>{false, true}));
            EXPECT_EQ(progress.events,
                      (Texts{"clear", "start " + list, "step 5", "step 4", "step 3", "step 2",
                             "step 1", "step 0", "clear", "hide"}));
        } else {
            EXPECT_EQ(progress.events, (Texts{"clear", "clear", "hide"}));
            EXPECT_TRUE(commandsEnabled.empty());
        }
        EXPECT_TRUE(fs::is_empty(programFolder.path()));
        EXPECT_TRUE(prompter.questions.empty());
        const std::string& after = r[15] == "=" ? r[14] : r[15];
        EXPECT_EQ(mailer(), after == "-" ? "" : MailerFile(after));
    }
}

TEST_F(RoadTest, TheBarcodeFileIsReplacedOnlyWhenTheUserAgrees) {
    preferences[1] = "1";
    const std::string coded = "\"" + kCode + "\"\r\n\"" + kCode + "\"\r\n";
    const std::map<std::string, std::string> contents{
        {"coded", coded}, {"old", "earlier barcodes\r\n"}, {"-", ""}};
    const fs::path barcodeFile = folder.path() / "Barcode.txt";
    const fs::path other = folder.path() / "other.txt";
    for (const auto& r : CaseRows("road/barcode-file.tsv")) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(1));
        fs::remove(barcodeFile);
        fs::remove(other);
        if (r.at(2) == "1") folder.write("Barcode.txt", contents.at("old"));
        preferences[2] = r.at(3);
        prompter = FakePrompter();
        for (const std::string& answer : SplitField(r.at(4), ' '))
            prompter.askAnswers.push_back(std::stoi(answer));
        if (r.at(7) == "other.txt") prompter.saveAnswers.push_back(other.string());
        EXPECT_EQ(run("My List.txt", Repeat(kRecord, 2), {kTabAnswer}, r.at(5)), 0);
        EXPECT_EQ(ReadBytes(barcodeFile), contents.at(r.at(6)));
        EXPECT_EQ(ReadBytes(other), r[7] == "other.txt" ? coded : "");
        EXPECT_EQ(prompter.questions,
                  r[4].empty() ? Texts{}
                               : Texts{barcodeFile.string() +
                                       " already exists. Replace it with the barcodes for My "
                                       "List.txt?"});
        const bool saveDialog = r[3] == "1" || r[4] == "0";
        EXPECT_EQ(prompter.dialogFolders, saveDialog ? Texts{folder.path().string()} : Texts{});
        EXPECT_EQ(
            prompter.dialogTitles,
            saveDialog ? Texts{"Choose a file (or name a new file) for the barcodes:"} : Texts{});
        EXPECT_EQ(messageTexts(), r[7] == "-"
                                      ? Texts{}
                                      : Texts{"Barcodes for My List.txt have been saved in " +
                                              (folder.path() / r[7]).string() + "."});
        EXPECT_TRUE(fs::is_empty(programFolder.path()));
    }
}

// The home folder (an empty folder) before any list and when the last folder is gone.
TEST_F(RoadTest, TheOpenDialogStartsInTheFolderOfTheLastListOpened) {
    const fs::path recentFile = programFolder.path() / "recent.dat";
    RecentListFolder recent(recentFile);
    context.recentLists = &recent;
    fs::create_directory(folder.path() / "lists");
    const std::string twoRecords = kRecord + "\r\n" + kRecord + "\r\n";
    const std::string list = folder.write("lists/l.txt", twoRecords).string();

    prompter.openAnswers = {list, ""};
    EXPECT_EQ(run(Texts{}, {kTabAnswer}), 0);
    EXPECT_EQ(run(Texts{}), 0);
    EXPECT_EQ(RecentListFolder(recentFile).folder(), (folder.path() / "lists").string());

    // A list named on the command line counts as opened too.
    const std::string other = folder.write("l2.txt", twoRecords).string();
    EXPECT_EQ(run({other, "NOSTOP"}), 0);
    EXPECT_EQ(run(Texts{}), 0);

    fs::remove_all(folder.path());
    EXPECT_EQ(run(Texts{}), 0);
    EXPECT_EQ(prompter.dialogFolders,
              (Texts{"", (folder.path() / "lists").string(), folder.path().string(), ""}));
    EXPECT_EQ(prompter.dialogTitles, Texts(4, "Find the file that holds your mailing list:"));
    context.recentLists = nullptr;
}

TEST_F(RoadTest, ExamplesGetABarcodeOnEveryRecord) {
    const fs::path examples = fs::path(MARROWBY_SOURCE_DIR) / "examples";
    const std::pair<const char*, long> cases[] = {
        {"customers-tab.txt", 6}, {"members-comma.csv", 5}, {"newsletter-merge.txt", 5}};
    for (const auto& [name, records] : cases) {
        const std::string input = folder.write(name, "").string();
        fs::copy_file(examples / name, input, fs::copy_options::overwrite_existing);
        EXPECT_EQ(run({input, "NOSTOP"}), 0) << name;
        const std::string output = folder.read(name);
        const std::regex coded("[\t,]\"?/[0-9]{12}/\"?\r\n");
        EXPECT_EQ(std::distance(std::sregex_iterator(output.begin(), output.end(), coded),
                                std::sregex_iterator()),
                  records)
            << name;
    }
}

TEST(ListSafety, ListsChangedLockedOrReadOnlyAreLeftAsTheOtherProgramMadeThem) {
    const std::string input = Repeat(kRecord, 10);
    for (const auto& r : CaseRows("road/safety.tsv")) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(1));
        ASSERT_EQ(r.size(), 10u);
        TempFolder folder;
        RoadFixture road;
        road.preferences[1] = r[2];
        const fs::path sub = folder.path() / "sub";
        fs::create_directory(sub);
        const fs::path list = folder.write("sub/l.txt", input);
        folder.write("sub/mrbtemp.txt", "mine");
        const auto mode = fs::perms(std::stoi(r[3], nullptr, 8));
        fs::permissions(list, mode);
        const std::string& act = r[4];
        const bool locked = act == "lock-whole" || act == "lock-range";
        const int other = locked ? LockInAnotherProcess(list, act == "lock-range", 5, 3) : -1;
        if (act == "read-only-folder") fs::permissions(sub, fs::perms(0555));
        if (act.ends_with("@dialog")) road.identifier.onShow = [&] { Act(act, sub, input.size()); };
        if (act.ends_with("@step")) road.progress.atStep = [&] { Act(act, sub, input.size()); };
        EXPECT_EQ(road.run({list.string()}, {kTabAnswer}), std::stoi(r[5]));
        ASSERT_EQ(road.prompter.messages.size(), 1u);
        ExpectText(road.prompter.messages[0].text, r[6]);
        EXPECT_EQ(r[7].empty() ? "" : BoxText(road.prompter.messages[0]), r[7]);
        EXPECT_EQ(fs::exists(sub), r[8] != "gone");
        if (fs::exists(sub)) {
            fs::permissions(sub, fs::perms(0755));
            const std::map<std::string, std::string> after = {
                {"=", input},
                {"coded", Repeat(kRecord + "\t" + kCode, 10)},
                {"appended", input + "new\r\n"},
                {"half", input.substr(0, input.size() / 2)}};
            EXPECT_EQ(ReadBytes(list), after.at(r[8]));
            const fs::perms kept = fs::status(list).permissions();
            EXPECT_EQ(kept, act.starts_with("replace") ? kept : mode);
            EXPECT_EQ(folder.read("sub/mrbtemp.txt"), "mine");
            EXPECT_EQ(FolderNames(sub), (Texts{"l.txt", "mrbtemp.txt"}));
        }
        if (r[9] == "1") {
            EXPECT_EQ(road.commandsEnabled, (std::vector<bool>{false, true}));
        } else {
            EXPECT_EQ(road.progress.events, (Texts{"clear", "clear", "hide"}));
        }
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

// The list is damaged in its last line, beyond its reader's buffer (1.3 MB against 1 MB).
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

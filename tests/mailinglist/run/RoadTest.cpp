// "Add Barcodes to a File" end to end on real files, with the identification dialog and the
// progress picture scripted: the bytes written back, the messages and the unattended mode.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <regex>

#include "ListTestSupport.h"
#include "TempFolder.h"
#include "platform/RecentListFolder.h"

namespace marrowby {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

// Lists lie in a folder of their own; the current folder, as the program folder is in the
// program, is another one, where nothing of a run may land.
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

}  // namespace

// Ends in "..." where only the start of a text is given.
void ExpectText(const std::string& actual, const std::string& expected) {
    if (!expected.ends_with("...")) {
        EXPECT_EQ(actual, expected);
    } else {
        EXPECT_EQ(actual.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3));
    }
}

// Every run of road/runs.tsv: the list and Barcode.txt afterwards, the messages and error
// stream, the field dialog's showings, the progress picture and the menu.
TEST_F(RoadTest, GoldenRuns) {
    const char* const icons[] = {"Error", "Warning", "Information"};
    const char* const beeps[] = {"None", "Exclamation", "Error"};
    const char* const buttons[] = {"Ok", "Cancel"};
    const std::string list = (folder.path() / "List.TXT").string();
    const auto rows = GoldenRows("road/runs.tsv", '\t');
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
        const std::string input = Unescaped(r[5]);
        errors.str("");
        EXPECT_EQ(run("List.TXT", input, answers, r[3]), std::stoi(r[6]));
        EXPECT_EQ(folder.read("List.TXT"), r[7] == "=" ? input : Unescaped(r[7]));
        EXPECT_EQ(ReadBytes(folder.path() / "Barcode.txt"), r[8] == "-" ? "" : Unescaped(r[8]));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()),
                  r[8] == "-" ? 1 : 2);
        const Texts expected = SplitField(r[9], '|');
        ASSERT_EQ(prompter.messages.size(), expected.size())
            << testing::PrintToString(messageTexts());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            std::string text = Unescaped(expected[i]);
            if (const auto at = text.find("{folder}"); at != std::string::npos)
                text.replace(at, 8, folder.path().string());
            ExpectText(prompter.messages[i].text, text);
        }
        if (const Texts box = SplitField(r[10], ' '); !box.empty()) {
            const RecordedMessage& first = prompter.messages.at(0);
            EXPECT_EQ(box[0], icons[int(first.icon)]);
            EXPECT_EQ(box[1], beeps[int(first.beep)]);
            EXPECT_EQ(box[2], buttons[int(first.button)]);
        }
        ExpectText(errors.str(), Unescaped(r[11]));
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

TEST_F(RoadTest, BarcodeFileBesideAListWhoseFolderVanishedIsReported) {
    preferences[1] = "1";
    const std::string list = "123 MAIN ST\t123456789\r\n";
    fs::create_directory(folder.path() / "gone");
    identifier.onShow = [&] { fs::remove_all(folder.path() / "gone"); };
    EXPECT_EQ(run("gone/l.txt", list + list, {{{.address = 0, .zip9 = 1}}}), 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.substr(0, 44),
              "Marrowby could not create this output file. ");
    EXPECT_EQ(prompter.messages[0].beep, MessageBeep::Exclamation);
    EXPECT_EQ(prompter.messages[0].button, MessageButton::Cancel);
    EXPECT_EQ(progress.events, (Texts{"clear", "clear", "hide"}));
}

// A Barcode.txt of an earlier run is replaced only when the user agrees; the other answer
// offers the save dialog in the list's folder instead, and closing the box ends the run.
// Nobody is asked in an unattended run. The preference to name the file always shows the
// save dialog.
TEST_F(RoadTest, TheBarcodeFileIsReplacedOnlyWhenTheUserAgrees) {
    preferences[1] = "1";
    // Two records: the kind of a text list is told from its first two lines.
    const std::string list = "123 MAIN ST\t123456789\r\n123 MAIN ST\t123456789\r\n";
    const std::string coded = "\"" + kCode + "\"\r\n\"" + kCode + "\"\r\n";
    const std::string old = "earlier barcodes\r\n";
    const fs::path barcodeFile = folder.path() / "Barcode.txt";
    const fs::path other = folder.path() / "other.txt";
    const auto contents = [&](const fs::path& file) {
        return fs::exists(file) ? folder.read(file.filename().string()) : "";
    };
    const struct {
        const char* what;
        bool existing;
        bool alwaysAsk;
        std::deque<int> answers;  // 0 another name, 1 replace, -1 box closed
        const char* option;
        std::string barcodeTxt;  // Barcode.txt afterwards
        fs::path savedIn;        // empty: no message
    } cases[] = {
        {"none yet", false, false, {}, "", coded, barcodeFile},
        {"replaced", true, false, {1}, "", coded, barcodeFile},
        {"kept, another name chosen", true, false, {0}, "", old, other},
        {"kept, save dialog cancelled", true, false, {0}, "", old, {}},
        {"kept, question closed", true, false, {-1}, "", old, {}},
        {"unattended", true, false, {}, "NOSTOP", coded, {}},
        {"always named", false, true, {}, "", "", other},
        {"always named, save dialog cancelled", false, true, {}, "", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(barcodeFile);
        fs::remove(other);
        if (c.existing) folder.write("Barcode.txt", old);
        preferences[2] = c.alwaysAsk ? "1" : "0";
        prompter.questions.clear();
        prompter.askAnswers = c.answers;
        prompter.saveAnswers.clear();
        if (c.savedIn == other) prompter.saveAnswers.push_back(other.string());
        prompter.dialogFolders.clear();
        prompter.dialogTitles.clear();
        EXPECT_EQ(run("My List.txt", list, {{{.address = 0, .zip9 = 1}}}, c.option), 0);
        EXPECT_EQ(contents(barcodeFile), c.barcodeTxt);
        EXPECT_EQ(contents(other), c.savedIn == other ? coded : "");
        const bool asked = !c.answers.empty();
        EXPECT_EQ(prompter.questions,
                  asked ? Texts{barcodeFile.string() +
                                " already exists. Replace it with the barcodes for My List.txt?"}
                        : Texts{});
        const bool saveDialog = c.alwaysAsk || (asked && c.answers.front() == 0);
        EXPECT_EQ(prompter.dialogFolders, saveDialog ? Texts{folder.path().string()} : Texts{});
        EXPECT_EQ(
            prompter.dialogTitles,
            saveDialog ? Texts{"Choose a file (or name a new file) for the barcodes:"} : Texts{});
        EXPECT_EQ(messageTexts(), c.savedIn.empty()
                                      ? Texts{}
                                      : Texts{"Barcodes for My List.txt have been saved in " +
                                              c.savedIn.string() + "."});
        EXPECT_TRUE(fs::is_empty(programFolder.path()));
    }
}

// The open dialog starts where the last list was opened, in this run and the next, or in
// the home folder (an empty folder) before any list and when that folder is gone.
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

TEST_F(RoadTest, ReadOnlyListOrFolderIsLeftAloneAndAWritableListKeepsItsPermissions) {
    const std::string input = kRecord + "\r\nb\tc\td\r\n";
    const fs::path sub = folder.path() / "sub";
    fs::create_directory(sub);
    const std::string path = folder.write("l.txt", input).string();
    const std::pair<std::string, std::string> cases[] = {
        {path, "the file is"}, {folder.write("sub/l.txt", input).string(), "its folder is"}};
    ::chmod(path.c_str(), 0444);
    ::chmod(sub.c_str(), 0555);
    for (const auto& [list, what] : cases) {
        EXPECT_EQ(run({list}, {kTabAnswer}), 1);
        EXPECT_EQ(messageTexts(), Texts{"Marrowby cannot add barcodes to l.txt: " + what +
                                        " read-only. The file was not changed."});
        EXPECT_EQ(prompter.messages[0].beep, MessageBeep::Exclamation);
        EXPECT_EQ(folder.read(list), input);
    }
    ::chmod(sub.c_str(), 0755);
    ::chmod(path.c_str(), 0640);
    EXPECT_EQ(run({path}, {kTabAnswer}), 0);
    struct stat status {};
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(RoadTest, FolderThatVanishesMidRunIsReported) {
    fs::create_directory(folder.path() / "sub");
    std::string input;
    for (int i = 0; i < 10; ++i) input += kRecord + "\r\n";
    progress.atStep = [&] { fs::remove_all(folder.path() / "sub"); };
    EXPECT_EQ(run("sub/l.txt", input), 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.substr(0, 34), "Marrowby could not replace l.txt: ");
    EXPECT_EQ(commandsEnabled, (std::vector<bool>{false, true}));
}

}  // namespace marrowby

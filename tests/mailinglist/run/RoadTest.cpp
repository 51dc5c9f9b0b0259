// "Add Barcodes to a File" end to end on real files, with the identification dialog and the
// progress picture scripted: the bytes written back, the messages and the unattended mode.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <regex>

#include "TempFolder.h"
#include "platform/RecentListFolder.h"
#include "run/RoadTestSupport.h"

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

TEST_F(RoadTest, ListsComeBackWithTheirBarcodes) {
    const FieldRoles firstTwo{.address = 0, .zip9 = 1};
    const FieldRoles comma{.address = 1, .zip5 = 2, .zip4 = 3};
    const FieldRoles chosen{.address = 1, .zip9 = 2, .barcode = 3};
    const struct {
        const char* what;
        bool barcodesOnly;
        const FieldRoles* answer;  // none: the fields found are confirmed
        std::string input;
        std::string output;  // of the list, or of Barcode.txt when barcodes only are saved
    } cases[] = {
        {"tab, new column, every line end, an uncoded record", false, nullptr,
         "Smith\t123 MAIN ST\t123456789\r\nJones\t123 MAIN ST\t12345-6789\nBrown\t9 Elm\t1234\r",
         "Smith\t123 MAIN ST\t123456789\t" + kCode + "\r\nJones\t123 MAIN ST\t12345-6789\t" +
             kCode + "\r\nBrown\t9 Elm\t1234\t\r\n"},
        {"tab, barcode column chosen, a short line and a long one", false, &chosen,
         "\"Smith\"\t123 MAIN ST\t123456789\told\r\nJones\t123 MAIN ST\t123456789\t\r\n"
         "Gray\t123 MAIN ST\r\nBrown\t123 MAIN ST\t123456789\t\tmore\tfields\r\n",
         "Smith\t123 MAIN ST\t123456789\t" + kCode + "\r\nJones\t123 MAIN ST\t123456789\t" + kCode +
             "\r\nGray\t123 MAIN ST\t\t\r\nBrown\t123 MAIN ST\t123456789\t" + kCode +
             "\tmore\tfields\r\n"},
        {"tab, barcodes only", true, &firstTwo, "123 MAIN ST\t123456789\r\nx\t1\r\n",
         "\"" + kCode + "\"\r\n\"\"\r\n"},
        {"comma, new column, quoted and bare lines", false, &comma,
         "\"Smith\",\"123 MAIN ST\",\"12345\",\"6789\"\r\nJones,123 MAIN ST,12345,6789\r\n",
         "\"Smith\",\"123 MAIN ST\",\"12345\",\"6789\",\"" + kCode +
             "\"\r\nJones,123 MAIN ST,12345,6789," + kCode + "\r\n"},
        {"comma, barcode column chosen, curly quotes and fields beyond the count", false, &chosen,
         "\"Smith\",\"123 MAIN ST\",\"123456789\",\"\"\r\nJones,123 MAIN ST,123456789,\r\n"
         "\"Brown\",\"123 MAIN ST\",\"123456789\",\"old\",\"x,y\"\r\n"
         "Gray,\322123 MAIN ST, APT\323,1234,x\r\n",
         "\"Smith\",\"123 MAIN ST\",\"123456789\",\"" + kCode +
             "\"\r\nJones,123 MAIN ST,123456789," + kCode +
             "\r\n\"Brown\",\"123 MAIN ST\",\"123456789\",\"" + kCode +
             "\",\"x,y\"\r\nGray,\"123 MAIN ST, APT\",1234,\r\n"},
        {"comma, barcodes only", true, &comma, "Smith,123 MAIN ST,12345,6789\r\nJones,9 Elm,1,\r\n",
         "\"" + kCode + "\"\r\n\"\"\r\n"},
        {"merge, new column", false, nullptr,
         "Name,Address,Zip,Zip4\rSmith,123 MAIN ST,12345,6789\rJones,9 Elm,,\r",
         "Name,Address,Zip,Zip4,barcode\r\nSmith,123 MAIN ST,12345,6789," + kCode +
             "\r\nJones,9 Elm,,,\r\n"},
        {"merge, barcode column named", false, nullptr,
         "Name,Address,Zip,Zip4,Barcode\r\nSmith,123 MAIN ST,12345,6789,\r\n",
         "Name,Address,Zip,Zip4,Barcode\r\nSmith,123 MAIN ST,12345,6789," + kCode + "\r\n"},
        {"merge, barcodes only", true, nullptr,
         "Name,Address,Zip,Zip4\r\nSmith,123 MAIN ST,12345,6789\r\nJones,9 Elm,1,\r\n",
         "barcode\r\n\"" + kCode + "\"\r\n\"\"\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        preferences[1] = c.barcodesOnly ? "1" : "0";
        fs::remove(folder.path() / "Barcode.txt");
        std::vector<FakeIdentifierAnswer> answers;
        if (c.answer) answers.push_back({*c.answer});
        EXPECT_EQ(run("List.TXT", c.input, answers), 0);
        EXPECT_EQ(folder.read(c.barcodesOnly ? "Barcode.txt" : "List.TXT"), c.output);
        if (c.barcodesOnly) {
            EXPECT_EQ(folder.read("List.TXT"), c.input);
        }
        // The dialog offers the barcode field only when barcodes go into the list.
        EXPECT_EQ(identifier.addModes, std::vector<bool>{!c.barcodesOnly});
        // The name keeps its letter case: list.txt would be another file.
        EXPECT_EQ(messageTexts(),
                  Texts{c.barcodesOnly ? "Barcodes for List.TXT have been saved in " +
                                             (folder.path() / "Barcode.txt").string() + "."
                                       : "Barcodes have been added to List.TXT."});
        EXPECT_TRUE(fs::is_empty(programFolder.path()));
        EXPECT_TRUE(prompter.questions.empty());
        // The menu is disabled for as long as the run lasts and no longer.
        EXPECT_EQ(commandsEnabled, (std::vector<bool>{false, true}));
        EXPECT_EQ(progress.events,
                  (Texts{"clear", "start " + (folder.path() / "List.TXT").string(), "step 5",
                         "step 4", "step 3", "step 2", "step 1", "step 0", "clear", "hide"}));
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
    context.recentLists = nullptr;
}

TEST_F(RoadTest, ChecksSendTheUserBackToTheDialogAndCancelChangesNothing) {
    const std::string input = kRecord + "\r\nb\tc\td\r\n";
    EXPECT_EQ(run("l.txt", input,
                  {{{.address = 1, .zip5 = 2}}, {{.zip9 = 2}}, {kTabAnswer.roles, false}}),
              0);
    ASSERT_EQ(identifier.shown.size(), 3u);
    // One record of two is too few for the vote of three.
    EXPECT_EQ(identifier.shown[0], FieldRoles{});
    EXPECT_EQ(identifier.shown[1], (FieldRoles{.address = 1, .zip5 = 2}));  // the last choice
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompter.messages[0].text.substr(0, 60),
              "Marrowby cannot proceed until you tell it which field(s) con");
    EXPECT_EQ(prompter.messages[1].text.substr(0, 52),
              "Marrowby cannot proceed until you tell it either whi");
    EXPECT_EQ(folder.read("l.txt"), input);
    EXPECT_EQ(progress.events, (Texts{"clear", "clear", "hide"}));

    EXPECT_EQ(run(Texts{}), 0);  // the open dialog cancelled
    EXPECT_EQ(prompter.dialogTitles, Texts{"Find the file that holds your mailing list:"});
}

// Nobody confirms the fields of an unattended run: it writes barcodes only where the field is
// free or holds barcodes, and otherwise names the first record in the way.
TEST_F(RoadTest, UnattendedRunsWriteOnlyIntoFreeBarcodeFields) {
    const std::string coded = kRecord + "\t" + kCode + "\r\n";
    const std::string free = kRecord + "\t\r\n";
    const std::string merge = "Name,Address,Zip,Barcode\r\n";
    const std::string mergeRecord = "a,123 MAIN ST,123456789,";
    const struct {
        const char* what;
        std::string input;
        std::string output;   // empty: refused, the list unchanged
        std::string message;  // the start of what goes to the error stream
    } cases[] = {
        {"a new column, every line end", kRecord + "\r\n" + kRecord + "\n" + kRecord,
         coded + coded + coded, ""},
        {"no ZIP field found", "Smith\tJones\r\nBrown\tGray\r\n", "",
         "Marrowby cannot proceed until you tell it which field(s) con"},
        {"an empty column in the first three records, notes later",
         free + free + free + kRecord + "\tcall first\r\n", "",
         "Marrowby did not change l.txt: record 4 (line 4) holds \"call first\" in field 4, the "
         "field chosen for the barcodes. An unattended run writes barcodes only into empty "
         "fields or over barcodes; choose the field in a run with the dialog.\n"},
        {"a named column of old barcodes, blanks and gaps",
         merge + mergeRecord + "|123456789230|\r\n" + mergeRecord + "  \r\n" + mergeRecord + "\r\n",
         merge + mergeRecord + kCode + "\r\n" + mergeRecord + kCode + "\r\n" + mergeRecord + kCode +
             "\r\n",
         ""},
        {"a named column with a number that is no barcode",
         merge + mergeRecord + "\r\n" + mergeRecord + "/123456789231/\r\n", "",
         "Marrowby did not change l.txt: record 2 (line 3) holds \"/123456789231/\" in field 4 "
         "(Barcode), the field chosen for the barcodes. An unattended run writes barcodes only "
         "into empty fields or over barcodes; choose the field in a run with the dialog.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        errors.str("");
        EXPECT_EQ(run("l.txt", c.input, {}, "nostop"), c.output.empty() ? 1 : 0);
        EXPECT_EQ(folder.read("l.txt"), c.output.empty() ? c.input : c.output);
        EXPECT_EQ(errors.str().substr(0, c.message.size()), c.message);
        EXPECT_EQ(errors.str().empty(), c.message.empty());
        EXPECT_TRUE(identifier.shown.empty());
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()),
                  1);
    }
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

TEST_F(RoadTest, BadListsAreRefusedUnchanged) {
    const std::string cannotRead =
        "Marrowby cannot read this kind of file. See the Help file for instructions on "
        "exporting your mailing list to an ascii file.";
    const struct {
        const char* what;
        std::string input;
        std::string message;
        MessageBeep beep;
        MessageButton button;
    } cases[] = {
        {"empty", "", "l.txt is empty: it holds no mailing list.", MessageBeep::Error,
         MessageButton::Ok},
        {"blank first line", "\r\na\tb\r\n",
         "It looks like there are one or more blank lines at the beginning of the file you are "
         "trying to sort.  Please remove any blank lines and try again.",
         MessageBeep::Error, MessageButton::Ok},
        {"lines disagree", "a\tb\tc\r\na\tb\r\n", cannotRead, MessageBeep::Error,
         MessageButton::Cancel},
        {"words", "Dear friends\r\n", cannotRead, MessageBeep::Error, MessageButton::Cancel},
        {"binary", std::string("\177ELF\2\1\1\0\0\0", 10),
         "l.txt is not a text file: line 1 holds a NUL byte.", MessageBeep::None,
         MessageButton::Ok},
        {"NUL byte later", std::string("a\t12345\r\nb\t12345\r\nc\0\t1\r\n", 24),
         "Marrowby could not read l.txt. The file may be in use by another application. l.txt "
         "is not a text file: line 3 holds a NUL byte.",
         MessageBeep::Exclamation, MessageButton::Cancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(run("l.txt", c.input), 1);
        EXPECT_EQ(messageTexts(), Texts{c.message});
        EXPECT_EQ(prompter.messages.at(0).beep, c.beep);
        EXPECT_EQ(prompter.messages.at(0).button, c.button);
        EXPECT_EQ(folder.read("l.txt"), c.input);
        EXPECT_TRUE(identifier.shown.empty());
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

TEST(KindFromExtension, DatabasesByTheirExtensionInAnyCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"/lists/MEMBERS.DBF", "dBase"},
        {"/lists/members.dbt", "dBase"},
        {"/lists/club.mdb", "Access"},
        {"/lists/Club.Accdb", "Access"},
        {"/lists/list.txt", ""},
        {"/lists.dbf/list", ""},
        {"/lists/dbf", ""},
    };
    for (const auto& [path, kind] : cases) EXPECT_EQ(KindFromExtension(path), kind) << path;
}

}  // namespace marrowby

// "Add Barcodes to a File" end to end on real files: the bytes written back, the messages
// and the unattended mode.
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "RoadTestSupport.h"
#include "TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kCode = "/123456789230/";  // 123 MAIN ST in 12345-6789

// Runs in a folder of its own, which is also the current folder (where Barcode.txt goes).
class RoadTest : public ::testing::Test, protected RoadFixture {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(folder.path());
    }
    void TearDown() override { fs::current_path(previous_); }

    TempFolder folder;

  private:
    fs::path previous_;
};

}  // namespace

TEST_F(RoadTest, ListsComeBackWithTheirBarcodes) {
    const struct {
        const char* what;
        std::string input;
        std::vector<FakeIdentifierAnswer> answers;
        std::string output;
    } cases[] = {
        {"tab, new column, every line end, an uncoded record",
         "Smith\t123 MAIN ST\t123456789\r\nJones\t123 MAIN ST\t12345-6789\nBrown\t9 Elm\t1234\r",
         {},
         "Smith\t123 MAIN ST\t123456789\t" + kCode + "\r\nJones\t123 MAIN ST\t12345-6789\t" +
             kCode + "\r\nBrown\t9 Elm\t1234\t\r\n"},
        {"tab, barcode column chosen, a short line and a long one",
         "\"Smith\"\t123 MAIN ST\t123456789\told\r\nJones\t123 MAIN ST\t123456789\t\r\n"
         "Gray\t123 MAIN ST\r\nBrown\t123 MAIN ST\t123456789\t\tmore\tfields\r\n",
         {{{.address = 1, .zip9 = 2, .barcode = 3}}},
         "Smith\t123 MAIN ST\t123456789\t" + kCode + "\r\nJones\t123 MAIN ST\t123456789\t" + kCode +
             "\r\nGray\t123 MAIN ST\t\t\r\nBrown\t123 MAIN ST\t123456789\t" + kCode +
             "\tmore\tfields\r\n"},
        {"comma, new column, quoted and bare lines",
         "\"Smith\",\"123 MAIN ST\",\"12345\",\"6789\"\r\nJones,123 MAIN ST,12345,6789\r\n",
         {{{.address = 1, .zip5 = 2, .zip4 = 3}}},
         "\"Smith\",\"123 MAIN ST\",\"12345\",\"6789\",\"" + kCode +
             "\"\r\nJones,123 MAIN ST,12345,6789," + kCode + "\r\n"},
        {"comma, barcode column chosen, smart quotes and fields beyond the count",
         "\"Smith\",\"123 MAIN ST\",\"123456789\",\"\"\r\nJones,123 MAIN ST,123456789,\r\n"
         "\"Brown\",\"123 MAIN ST\",\"123456789\",\"old\",\"x,y\"\r\n"
         "Gray,\xD2"
         "123 MAIN ST, APT\xD3,1234,x\r\n",
         {{{.address = 1, .zip9 = 2, .barcode = 3}}},
         "\"Smith\",\"123 MAIN ST\",\"123456789\",\"" + kCode +
             "\"\r\nJones,123 MAIN ST,123456789," + kCode +
             "\r\n\"Brown\",\"123 MAIN ST\",\"123456789\",\"" + kCode +
             "\",\"x,y\"\r\nGray,\"123 MAIN ST, APT\",1234,\r\n"},
        {"merge, new column",
         "Name,Address,Zip,Zip4\rSmith,123 MAIN ST,12345,6789\rJones,9 Elm,,\r",
         {},
         "Name,Address,Zip,Zip4,barcode\r\nSmith,123 MAIN ST,12345,6789," + kCode +
             "\r\nJones,9 Elm,,,\r\n"},
        {"merge, barcode column named",
         "Name,Address,Zip,Zip4,Barcode\r\nSmith,123 MAIN ST,12345,6789,\r\n",
         {},
         "Name,Address,Zip,Zip4,Barcode\r\nSmith,123 MAIN ST,12345,6789," + kCode + "\r\n"},
    };
    for (const auto& c : cases) {
        const std::string path = folder.write("List.TXT", c.input).string();
        prompter.messages.clear();
        identifier.shown.clear();
        identifier.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(run({path}), 0) << c.what;
        EXPECT_EQ(folder.read("List.TXT"), c.output) << c.what;
        EXPECT_EQ(messageTexts(), std::vector<std::string>{"Barcodes have been added to list.txt."})
            << c.what;
        EXPECT_FALSE(fs::exists(folder.path() / "mrbtemp.txt")) << c.what;
    }
}

TEST_F(RoadTest, BarcodesOnlyFileLeavesTheListAlone) {
    preferences[1] = "1";
    const std::string input =
        "Name,Address,Zip,Zip4\r\nSmith,123 MAIN ST,12345,6789\r\nJones,9 Elm,1,\r\n";
    const std::string path = folder.write("Clients.csv", input).string();
    EXPECT_EQ(run({path}), 0);
    EXPECT_EQ(folder.read("Clients.csv"), input);
    EXPECT_EQ(folder.read("Barcode.txt"), "barcode\r\n\"" + kCode + "\"\r\n\"\"\r\n");
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"Barcodes for clients.csv have been saved in Barcode.txt."});
    // The identification dialog does not offer a barcode field in this mode, and the run
    // never disables the menu for longer than it lasts.
    EXPECT_EQ(commandsEnabled, (std::vector<bool>{false, true}));
}

TEST_F(RoadTest, BarcodesOnlyFileNamedInTheSaveDialog) {
    preferences[1] = "1";
    preferences[2] = "1";
    const std::string path = folder.write("l.txt", "123 MAIN ST\t123456789\r\nx\t1\r\n").string();
    prompter.saveAnswers.push_back((folder.path() / "out.txt").string());
    identifier.answers = {{{.address = 0, .zip9 = 1}}};
    EXPECT_EQ(run({path}), 0);
    EXPECT_EQ(prompter.dialogTitles,
              std::vector<std::string>{"Choose a file (or name a new file) for the barcodes:"});
    EXPECT_EQ(folder.read("out.txt"), "\"" + kCode + "\"\r\n\"\"\r\n");

    prompter.messages.clear();
    identifier.shown.clear();
    identifier.answers = {{{.address = 0, .zip9 = 1}}};
    EXPECT_EQ(run({path}), 0);  // the save dialog cancelled: nothing happens
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(RoadTest, ChecksSendTheUserBackToTheDialog) {
    const std::string path =
        folder.write("l.txt", "a\t123 MAIN ST\t123456789\r\nb\tc\td\r\n").string();
    identifier.answers = {{{.address = 1, .zip5 = 2}}, {{.zip9 = 2}}, {{.address = 1, .zip9 = 2}}};
    EXPECT_EQ(run({path}), 0);
    ASSERT_EQ(identifier.shown.size(), 3u);
    // One record of two is too few for the vote of three.
    EXPECT_EQ(identifier.shown[0], (TransferLines{"Ascii Tab-Delimited", path, "2", "3", "-1", "-1",
                                                  "-1", "-1", "-1", "-1", "-1"}));
    EXPECT_EQ(identifier.shown[1][5], "2");  // the user's last choice comes back
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompter.messages[0].text.substr(0, 60),
              "Marrowby cannot proceed until you tell it which field(s) con");
    EXPECT_EQ(prompter.messages[1].text.substr(0, 52),
              "Marrowby cannot proceed until you tell it either whi");
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"clear", "start " + path, "step 5", "step 4", "step 3",
                                        "step 2", "step 1", "step 0", "clear", "hide"}));
}

TEST_F(RoadTest, CancelChangesNothing) {
    const std::string input = "a\t123 MAIN ST\t123456789\r\nb\tc\td\r\n";
    const std::string path = folder.write("l.txt", input).string();
    identifier.answers = {{{.address = 1, .zip9 = 2}, 2}};
    EXPECT_EQ(run({path}), 0);
    EXPECT_EQ(folder.read("l.txt"), input);
    EXPECT_TRUE(prompter.messages.empty());

    EXPECT_EQ(run({}), 0);  // the open dialog cancelled
    EXPECT_EQ(prompter.dialogTitles,
              std::vector<std::string>{"Find the file that holds your mailing list:"});
}

TEST_F(RoadTest, UnattendedRuns) {
    const std::string line = "a\t123 MAIN ST\t123456789";
    const std::string path = folder.write("l.txt", line + "\r\n" + line + "\n" + line).string();
    EXPECT_EQ(run({path, "nostop"}), 0);
    EXPECT_TRUE(identifier.shown.empty());
    EXPECT_TRUE(prompter.messages.empty());
    const std::string coded = line + "\t" + kCode + "\r\n";
    EXPECT_EQ(folder.read("l.txt"), coded + coded + coded);

    const std::string noZip = "Smith\tJones\r\nBrown\tGray\r\n";
    folder.write("n.txt", noZip);
    EXPECT_EQ(run({(folder.path() / "n.txt").string(), "NOSTOP"}), 1);
    EXPECT_EQ(errors.str().substr(0, 60),
              "Marrowby cannot proceed until you tell it which field(s) con");
    EXPECT_EQ(folder.read("n.txt"), noZip);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(RoadTest, BadListsAreRefusedUnchanged) {
    const std::string cannotRead =
        "Marrowby cannot read this kind of file. See the Help file for instructions on "
        "exporting your mailing list to an ascii file.";
    const struct {
        const char* what;
        std::string input;
        std::string message;
    } cases[] = {
        {"empty", "", "l.txt is empty: it holds no mailing list."},
        {"blank first line", "\r\na\tb\r\n",
         "It looks like there are one or more blank lines at the beginning of the file you are "
         "trying to sort.  Please remove any blank lines and try again."},
        {"lines disagree", "a\tb\tc\r\na\tb\r\n", cannotRead},
        {"binary",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0",
                     10),
         "l.txt is not a text file: line 1 holds a NUL byte."},
        {"words", "Dear friends\r\n", cannotRead},
        {"NUL byte later", std::string("a\t12345\r\nb\t12345\r\nc\0\t1\r\n", 24),
         "Marrowby could not read l.txt. The file may be in use by another application. l.txt "
         "is not a text file: line 3 holds a NUL byte."},
    };
    for (const auto& c : cases) {
        folder.write("l.txt", c.input);
        prompter.messages.clear();
        EXPECT_EQ(run({(folder.path() / "l.txt").string()}), 1) << c.what;
        EXPECT_EQ(messageTexts(), std::vector<std::string>{c.message}) << c.what;
        EXPECT_EQ(folder.read("l.txt"), c.input) << c.what;
        EXPECT_TRUE(identifier.shown.empty()) << c.what;
    }
}

TEST_F(RoadTest, ReadOnlyListOrFolderIsLeftAlone) {
    const std::string input = "a\t123 MAIN ST\t123456789\r\nb\tc\td\r\n";
    const std::string path = folder.write("l.txt", input).string();
    ::chmod(path.c_str(), 0444);
    const FakeIdentifierAnswer choice{{.address = 1, .zip9 = 2}};
    identifier.answers = {choice, choice, choice};
    EXPECT_EQ(run({path}), 1);
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"Marrowby cannot add barcodes to l.txt: the file is "
                                       "read-only. The file was not changed."});
    EXPECT_EQ(prompter.messages[0].beep, MessageBeep::Exclamation);
    EXPECT_EQ(folder.read("l.txt"), input);

    ::chmod(path.c_str(), 0640);
    const fs::path sub = folder.path() / "sub";
    fs::create_directory(sub);
    fs::copy_file(path, sub / "l.txt");
    ::chmod(sub.c_str(), 0555);
    prompter.messages.clear();
    EXPECT_EQ(run({(sub / "l.txt").string()}), 1);
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"Marrowby cannot add barcodes to l.txt: its folder is "
                                       "read-only. The file was not changed."});
    ::chmod(sub.c_str(), 0755);

    // A writable list keeps its permissions after it is replaced.
    prompter.messages.clear();
    EXPECT_EQ(run({path}), 0);
    struct stat status {};
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(RoadTest, FolderThatVanishesMidRunIsReported) {
    const fs::path sub = folder.path() / "sub";
    fs::create_directory(sub);
    std::string input;
    for (int i = 0; i < 10; ++i) input += "a\t123 MAIN ST\t123456789\r\n";
    const std::string path = (sub / "l.txt").string();
    folder.write("sub/l.txt", input);
    progress.atStep = [&] { fs::remove_all(sub); };
    EXPECT_EQ(run({path}), 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.substr(0, 34), "Marrowby could not replace l.txt: ");
    EXPECT_EQ(commandsEnabled, (std::vector<bool>{false, true}));
}

TEST_F(RoadTest, ExamplesGetABarcodeOnEveryRecord) {
    const fs::path examples = fs::path(__FILE__).parent_path() / "../../examples";
    const struct {
        const char* name;
        char separator;
        size_t records;
        bool names;
    } cases[] = {{"customers-tab.txt", '\t', 6, false},
                 {"members-comma.csv", ',', 5, false},
                 {"newsletter-merge.txt", ',', 5, true}};
    for (const auto& c : cases) {
        fs::copy_file(examples / c.name, folder.path() / c.name);
        EXPECT_EQ(run({(folder.path() / c.name).string(), "NOSTOP"}), 0) << c.name;
        const std::string bytes = folder.read(c.name);
        std::vector<std::string> lines;
        for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            lines.push_back(bytes.substr(start, end - start));
        }
        ASSERT_EQ(lines.size(), c.records + c.names) << c.name;
        for (size_t i = c.names; i < lines.size(); ++i) {
            std::string barcode = lines[i].substr(lines[i].find_last_of(c.separator) + 1);
            if (barcode.front() == '"') barcode = barcode.substr(1, barcode.size() - 2);
            EXPECT_EQ(barcode.size(), 14u) << c.name << ": " << lines[i];
        }
    }
}

TEST_F(RoadTest, RunThatFailsMidwayLeavesNoFileBehind) {
    std::string input;
    for (int i = 0; i < 20000; ++i) input += "a\t123 MAIN ST\t123456789\r\n";
    for (const char* mode : {"0", "1"}) {
        preferences[1] = mode;
        prompter.messages.clear();
        const std::string path = folder.write("l.txt", input).string();
        identifier.shown.clear();
        identifier.answers = {{{.address = 1, .zip9 = 2}}};
        // The list is damaged behind the run's back, beyond what its reader has buffered.
        progress.atStep = [&] {
            const int descriptor = ::open(path.c_str(), O_WRONLY);
            ASSERT_EQ(::pwrite(descriptor, "\0", 1, static_cast<off_t>(input.size() - 10)), 1);
            ::close(descriptor);
        };
        EXPECT_EQ(run({path}), 1) << mode;
        EXPECT_EQ(
            messageTexts(),
            std::vector<std::string>{"l.txt is not a text file: line 20000 holds a NUL byte."})
            << mode;
        EXPECT_EQ(fs::file_size(path), input.size()) << mode;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
            << mode << ": only the list remains";
        EXPECT_EQ(commandsEnabled.back(), true);
    }
}

TEST_F(RoadTest, BarcodesOnlyFileThatCannotBeCreated) {
    preferences[1] = "1";
    const std::string path = folder.write("l.txt", "123 MAIN ST\t123456789\r\nx\t1\r\n").string();
    const fs::path gone = folder.path() / "gone";
    fs::create_directory(gone);
    fs::current_path(gone);
    fs::remove(gone);
    identifier.answers = {{{.address = 0, .zip9 = 1}}};
    EXPECT_EQ(run({path}), 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.substr(0, 44),
              "Marrowby could not create this output file. ");
    EXPECT_EQ(prompter.messages[0].beep, MessageBeep::Exclamation);
    EXPECT_EQ(prompter.messages[0].button, MessageButton::Cancel);
    EXPECT_TRUE(progress.events == (std::vector<std::string>{"clear", "clear", "hide"}));
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

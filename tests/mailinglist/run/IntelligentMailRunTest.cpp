// File runs with Intelligent Mail chosen in mailer.dat: consecutive serials that the next
// run continues, uncoded records, refusals before the first write, the serial kept after
// a failed run, and POSTNET output left as it was when POSTNET is chosen.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "TestData.h"
#include "access/AccessTestFiles.h"
#include "engine/IntelligentMail.h"
#include "mailinglist/access/AccessMailingList.h"
#include "mailinglist/run/BatchRun.h"
#include "run/RoadTestSupport.h"

namespace marrowby {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

const char* const Mailer6 = "00300123456";  // barcode identifier, service type, mailer ID

std::string MailerFile(const std::string& choice, const std::string& mailerId,
                       const std::string& next) {
    return "mine\r\n" + choice + "\r\n" + mailerId + "\r\n300\r\n00\r\n" + next +
           "\r\nL\r\nextra\r\n";
}

// The bars for mailer 123456, service type 300, with a nine-digit serial.
std::string Bars(unsigned long long serial, const std::string& routing) {
    std::string digits = std::to_string(serial);
    return IntelligentMailBars(Mailer6 + std::string(9 - digits.size(), '0') + digits, routing);
}

class IntelligentMailRunTest : public ::testing::Test, protected RoadFixture {
  protected:
    void SetUp() override {
        context.settingsFolder = settings.path();
        settings.write("mailer.dat", MailerFile("1", "123456", "41"));
    }

    int runList(const std::string& name, const std::string& bytes) {
        return run({folder.write(name, bytes).string(), "NOSTOP"});
    }

    TempFolder folder;
    TempFolder settings;
    CurrentFolder inFolder{folder.path()};
};

// A copy of tests/data/dbase/imb-<width>.dbf: ADDRESS 30, ZIP 10 and BARCODE of that width.
fs::path CopyTable(const TempFolder& folder, int barcodeWidth) {
    const std::string name = "imb-" + std::to_string(barcodeWidth) + ".dbf";
    const std::string bytes = ReadBytes(TestDataFolder() / "dbase" / name);
    EXPECT_FALSE(bytes.empty()) << "missing tests/data/dbase/" << name;
    return folder.write(name, bytes);
}

}  // namespace

// Three records, the middle one without a usable ZIP.
const std::string kList =
    "Smith\t123 MAIN ST\t123456789\r\nNoZip\t9 ELM ST\t12345\r\nJones\t12 OAK ST\t12345-6789\r\n";

TEST_F(IntelligentMailRunTest, TextListsGetConsecutiveSerialsThatTheNextRunContinues) {
    ASSERT_EQ(runList("l.txt", kList), 0);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(folder.read("l.txt"), "Smith\t123 MAIN ST\t123456789\t" + Bars(41, "12345678923") +
                                        "\r\nNoZip\t9 ELM ST\t12345\t\r\nJones\t12 OAK ST\t12345-"
                                        "6789\t" +
                                        Bars(42, "12345678912") + "\r\n");
    // Only the serial line changes.
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "123456", "43"));

    // Barcodes only: the letters quoted, one line per record, continuing the serials.
    preferences[1] = "1";
    ASSERT_EQ(runList("m.txt", kList), 0);
    EXPECT_EQ(folder.read("Barcode.txt"), "\"" + Bars(43, "12345678923") + "\"\r\n\"\"\r\n\"" +
                                              Bars(44, "12345678912") + "\"\r\n");
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "123456", "45"));
}

TEST_F(IntelligentMailRunTest, PostnetChosenLeavesTheOutputAndTheSettingsAsTheyWere) {
    settings.write("mailer.dat", MailerFile("0", "123456", "41"));
    const std::string postnet =
        "Smith\t123 MAIN ST\t123456789\t/123456789230/\r\nNoZip\t9 ELM ST\t12345\t\r\n"
        "Jones\t12 OAK ST\t12345-6789\t/123456789122/\r\n";
    ASSERT_EQ(runList("l.txt", kList), 0);
    EXPECT_EQ(folder.read("l.txt"), postnet);
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("0", "123456", "41"));
    // No mailer.dat at all is POSTNET too, and none is written.
    fs::remove(settings.path() / "mailer.dat");
    ASSERT_EQ(runList("n.txt", kList), 0);
    EXPECT_EQ(folder.read("n.txt"), postnet);
    EXPECT_FALSE(fs::exists(settings.path() / "mailer.dat"));
}

TEST_F(IntelligentMailRunTest, DbaseTablesGetTheLettersInTheirBarcodeField) {
    const fs::path table = CopyTable(folder, 70);
    const std::string before = ReadBytes(table);
    ASSERT_EQ(run({table.string(), "nostop"}), 0);
    EXPECT_TRUE(prompter.messages.empty());
    std::string expected = before;
    const size_t firstRecord = 32 * 4 + 1;
    const size_t recordLength = 1 + 30 + 10 + 70;
    const std::string bars[] = {Bars(41, "12345678923"), "", Bars(42, "12345678912")};
    for (size_t n = 0; n < 3; ++n) {
        std::string field = bars[n];
        field.resize(70, ' ');
        expected.replace(firstRecord + n * recordLength + 41, 70, field);
    }
    EXPECT_EQ(ReadBytes(table), expected);
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "123456", "43"));
}

// Nothing is written, not even the serial, when a run cannot finish. A field nobody can
// choose again ends an unattended run; an attended one goes back to the field dialog, whose
// second showing is cancelled here.
TEST_F(IntelligentMailRunTest, RunsThatCannotFinishAreRefusedBeforeTheFirstWrite) {
    const std::string text = "a\t123 MAIN ST\t123456789\r\nb\t123 MAIN ST\t123456789\r\n";
    const std::string shortField =
        "The field BARCODE that you chose for barcodes holds 64 characters, too few for an "
        "Intelligent Mail barcode: it must be able to hold at least 65 characters.";
    const struct {
        const char* what;
        std::string mailer;
        int barcodeWidth;  // 0: a text list
        const char* option;
        std::string message;
    } cases[] = {
        {"serials would pass the largest", MailerFile("1", "123456", "999999999"), 0, "NOSTOP",
         "The next serial number is 999999999 and 2 barcodes would pass the largest serial, "
         "999999999, of the mailer ID 123456."},
        {"nine-digit mailer ID leaves six serial digits", MailerFile("1", "912345678", "999999"), 0,
         "NOSTOP", "The next serial number is 999999 and 2 barcodes would pass the largest serial"},
        {"mailer ID spoilt by hand", MailerFile("1", "12345", "1"), 0, "NOSTOP",
         "The mailer ID must be six digits starting with 0 to 8, or nine digits starting with 9."},
        {"serial spoilt by hand", MailerFile("1", "123456", "x"), 0, "NOSTOP",
         "The next serial number in mailer.dat, 'x', is not a number of at most nine digits."},
        {"dBase barcode field of 64, unattended", MailerFile("1", "123456", "41"), 64, "NOSTOP",
         shortField},
        {"dBase barcode field of 64, attended", MailerFile("1", "123456", "41"), 64, nullptr,
         shortField},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings.write("mailer.dat", c.mailer);
        fs::path list = folder.write("l.txt", text);
        if (c.barcodeWidth > 0) list = CopyTable(folder, c.barcodeWidth);
        const std::string before = ReadBytes(list);
        errors.str("");
        Texts arguments{list.string()};
        if (c.option) arguments.push_back(c.option);
        EXPECT_EQ(run(arguments), c.option ? 1 : 0);
        EXPECT_EQ(identifier.shown.size(), c.option ? 0u : 2u);
        // A box for a run that cannot start; a field nobody can choose again goes to errors.
        const std::string reported = messageTexts().empty() ? errors.str() : messageTexts()[0];
        EXPECT_LE(messageTexts().size(), 1u);
        EXPECT_EQ(reported.substr(0, c.message.size()), c.message);
        EXPECT_EQ(ReadBytes(list), before);
        EXPECT_EQ(settings.read("mailer.dat"), c.mailer);
        EXPECT_FALSE(fs::exists(folder.path() / "mrbtemp.txt"));
    }
}

// Writing into the list or into Barcode.txt alike: the run is refused whole, leaves no file
// behind and the menu enabled, yet keeps the serials it handed out.
TEST_F(IntelligentMailRunTest, ARunThatFailsMidwayLeavesNoFileButKeepsTheSerialsItHandedOut) {
    std::string input;
    for (int i = 0; i < 50000; ++i) input += "a\t123 MAIN ST\t123456789\r\n";
    const std::string path = (folder.path() / "l.txt").string();
    // The list is damaged behind the run's back, in its last line, beyond what its reader
    // has buffered (1.3 MB against reads of 1 MB).
    progress.atStep = [&] {
        const int descriptor = ::open(path.c_str(), O_WRONLY);
        ASSERT_EQ(::pwrite(descriptor, "\0", 1, off_t(input.size() - 10)), 1);
        ::close(descriptor);
    };
    const struct {
        const char* barcodesOnly;
        const char* next;
    } cases[] = {{"0", "50040"}, {"1", "100039"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.barcodesOnly);
        preferences[1] = c.barcodesOnly;
        EXPECT_EQ(runList("l.txt", input), 1);
        EXPECT_EQ(messageTexts(), Texts{"l.txt is not a text file: line 50000 holds a NUL byte."});
        EXPECT_EQ(fs::file_size(path), input.size());
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
            << "only the list remains";
        EXPECT_EQ(commandsEnabled, (std::vector<bool>{false, true}));
        // Records 1 to 49999 took their serials, though their barcodes were not kept.
        EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "123456", c.next));
    }
}

// DateTest has a 255-character text column: a copy of the table is given nine-digit ZIPs
// in it through the table layer, then the run puts each record's barcode in the same field,
// with the record's ID as its delivery point.
TEST(IntelligentMailAccessRun, LongTextFieldGetsTheLettersAndAShortOneIsRefused) {
    TempFolder settings;
    settings.write("mailer.dat", MailerFile("1", "123456", "41"));
    RoadFixture road;
    road.context.settingsFolder = settings.path();
    AccessTable taTable1;

    ACCESS_DATABASE(nwind, nwindFolder, "nwind.mdb");
    const std::string original = ReadBytes(nwind);
    auto employees = OpenAccessMailingList(taTable1, nwind.string(), "Employees", nullptr);
    const FieldRoles phone{.address = taTable1.FieldPosition("Address"),
                           .zip5 = taTable1.FieldPosition("PostalCode"),
                           .zip4 = taTable1.FieldPosition("Extension"),
                           .barcode = taTable1.FieldPosition("HomePhone")};
    EXPECT_FALSE(AddBarcodes(
        *employees, {nwind.string(), employees->recordCount(), employees->fieldCount(), phone},
        road.context, true));
    EXPECT_EQ(road.messageTexts(),
              Texts{"The field HomePhone that you chose for barcodes holds 24 characters, too "
                    "few for an Intelligent Mail barcode: it must be able to hold at least 65 "
                    "characters. Nothing has been changed."});
    taTable1.setActive(false);
    EXPECT_TRUE(ReadBytes(nwind) == original);
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "123456", "41"));

    ACCESS_DATABASE(dates, datesFolder, "DateTestDatabase.mdb");
    taTable1.setDatabaseName(dates.string());
    taTable1.setTableName("DateTest");
    taTable1.setActive(true);
    const int text = taTable1.FieldPosition("ShortTextCol");
    for (taTable1.First(); !taTable1.Eof(); taTable1.Next()) {
        taTable1.Edit();
        taTable1.SetFieldByName("ShortTextCol", "123456789");
    }
    taTable1.setActive(false);
    road.prompter.messages.clear();
    auto list = OpenAccessMailingList(taTable1, dates.string(), "DateTest", nullptr);
    const FieldRoles roles{
        .zip9 = text, .barcode = text, .deliveryPoint = taTable1.FieldPosition("IDCol")};
    // Attended: an unattended run would not write over the ZIPs in the barcode field.
    ASSERT_TRUE(AddBarcodes(*list, {dates.string(), list->recordCount(), list->fieldCount(), roles},
                            road.context, false))
        << testing::PrintToString(road.messageTexts());
    const AccessRows rows = ExportAccessTable(dates, "DateTest");
    ASSERT_EQ(rows.size(), 6u);
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string id = rows[r][0];
        EXPECT_EQ(rows[r][text], Bars(41 + r, "123456789" + std::string(2 - id.size(), '0') + id))
            << "record " << r + 1;
    }
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1", "123456", "47"));
}

}  // namespace marrowby

// Runs over dBase tables and Access databases with Intelligent Mail chosen in mailer.dat, and
// the serials kept after a failed run (text list runs are rows of road/runs.tsv).
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "ListTestSupport.h"
#include "TempFolder.h"
#include "TestData.h"
#include "engine/IntelligentMail.h"
#include "mailinglist/access/AccessMailingList.h"
#include "mailinglist/run/BatchRun.h"

namespace marrowby {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

const char* const Mailer6 = "00300123456";  // barcode identifier, service type, mailer ID

// The bars for mailer 123456, service type 300, with a nine-digit serial.
std::string Bars(unsigned long long serial, const std::string& routing) {
    std::string digits = std::to_string(serial);
    return IntelligentMailBars(Mailer6 + std::string(9 - digits.size(), '0') + digits, routing);
}

class IntelligentMailRunTest : public ::testing::Test, protected RoadFixture {
  protected:
    void SetUp() override {
        context.settingsFolder = settings.path();
        settings.write("mailer.dat", MailerFile("1 123456 41"));
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
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1 123456 43"));
}

// A dBase field too short for the letters: an unattended run ends with the reason on the
// error stream; an attended one says so and goes back to the field dialog, whose second
// showing is cancelled here. Nothing is written, not even the serial.
TEST_F(IntelligentMailRunTest, ABarcodeFieldTooShortForTheLettersIsRefusedBeforeTheFirstWrite) {
    const std::string shortField =
        "The field BARCODE that you chose for barcodes holds 64 characters, too few for an "
        "Intelligent Mail barcode: it must be able to hold at least 65 characters.";
    for (const bool unattended : {true, false}) {
        SCOPED_TRACE(unattended);
        const fs::path table = CopyTable(folder, 64);
        const std::string before = ReadBytes(table);
        errors.str("");
        EXPECT_EQ(run(unattended ? Texts{table.string(), "NOSTOP"} : Texts{table.string()}),
                  unattended ? 1 : 0);
        EXPECT_EQ(identifier.shown.size(), unattended ? 0u : 2u);
        const Texts reported = unattended ? Texts{errors.str()} : messageTexts();
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].substr(0, shortField.size()), shortField);
        EXPECT_EQ(ReadBytes(table), before);
        EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1 123456 41"));
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
        EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1 123456 " + std::string(c.next)));
    }
}

// DateTest has a 255-character text column: a copy of the table is given nine-digit ZIPs
// in it through the table layer, then the run puts each record's barcode in the same field,
// with the record's ID as its delivery point.
TEST(IntelligentMailAccessRun, LongTextFieldGetsTheLettersAndAShortOneIsRefused) {
    TempFolder settings;
    settings.write("mailer.dat", MailerFile("1 123456 41"));
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
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1 123456 41"));

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
    EXPECT_EQ(settings.read("mailer.dat"), MailerFile("1 123456 47"));
}

}  // namespace marrowby

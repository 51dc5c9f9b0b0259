// dBase tables opened or refused, and runs that write their barcode fields and no other byte.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <fstream>

#include "ListTestSupport.h"
#include "LockInAnotherProcess.h"
#include "ShellCommand.h"
#include "mailinglist/dbase/DbaseMailingList.h"
#include "mailinglist/run/FieldIdentification.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// A copy of a table of tests/data/dbase as clients.dbf.
fs::path CopyTable(const TempFolder& folder, const std::string& name) {
    return folder.write("clients.dbf", TestDataBytes("dbase/" + name));
}

// What shapelib's dbfdump reads from a table, one line per field, without the barcodes.
std::string DumpWithoutBarcodes(const fs::path& table) {
    return RunShellCommand("dbfdump -r -m '" + table.string() + "' | grep -v ^BARCODE:").output;
}

// The rows of shapelib-<width>.dbf, written by dbfcreate and dbfadd; the third is deleted.
const std::vector<std::vector<std::string>> kRows = {
    {"Smith", "12 oak st", "77001-1234", "5", "old barcode", "keep"},
    {"Jones", "PO Box 7", "770011234 ", "", "", "me  "},
    {"Gone", "1 Elm", "77002-0000", "9", "deleted one", "x"},
    {"Short", "  ", "7", "", "", ""},
};
const FieldRoles kRoles{.address = 1, .zip9 = 2, .barcode = 4, .deliveryPoint = 3};
const std::string kBarcode = "/770011234057/";

// blocks*.dbf and values.dbf: ADDR1 40, ZIP 10, BARCODE 49 make records of 100 bytes, 2621
// of the 3000 in the run's first block of 256 KiB.
const FieldRoles kBigRoles{.address = 0, .zip9 = 1, .barcode = 2};
std::size_t BigRecord(long n) { return std::size_t(32 * 4 + 1 + n * 100); }

std::unique_ptr<MailingList> Open(const fs::path& table) {
    FakePrompter prompter;
    auto list = OpenDbaseMailingList(table.string(), prompter);
    if (!list) throw std::runtime_error("not opened");
    EXPECT_TRUE(prompter.messages.empty());
    return list;
}

// Why opening refuses a table: the error's reason, or the text of the box it showed.
std::string RefusalOf(const fs::path& path) {
    FakePrompter prompter;
    prompter.busy = true;
    std::unique_ptr<MailingList> list;
    const std::string error =
        ErrorOf([&] { list = OpenDbaseMailingList(path.string(), prompter); });
    if (list || !error.empty()) {
        EXPECT_TRUE(prompter.messages.empty());
        return list ? "(opened)" : error;
    }
    // The box must not leave the busy cursor behind it.
    EXPECT_FALSE(prompter.busy);
    const RecordedMessage& box = prompter.messages.at(0);
    EXPECT_EQ(BoxText(box), "Error None Cancel");
    return "box: " + box.text;
}

// What another program does to the open table; a descriptor to close afterwards, or -1.
int ActOnOpenTable(const fs::path& table, const std::string& act) {
    if (act.starts_with("lock")) return LockInAnotherProcess(table, act != "lock-whole", 100, 10);
    if (act == "folder") {
        fs::remove(table);
        fs::create_directory(table);
    } else if (act == "read-only") {
        fs::permissions(table, fs::perms::owner_read | fs::perms::group_read);
    } else if (act.starts_with("replace ")) {
        const std::string bytes = TestDataBytes("dbase/" + act.substr(8));
        std::ofstream(table, std::ios::binary | std::ios::trunc) << bytes;
    } else if (act.starts_with("cut ")) {
        fs::resize_file(table, fs::file_size(table) - std::stoul(act.substr(4)));
    }
    return -1;
}

}  // namespace

TEST(Dbase, TableFromAnotherProgramGetsBarcodesInItsLiveRecordsAndNothingElse) {
    for (int width : {14, 20}) {
        SCOPED_TRACE(width);
        TempFolder folder;
        const std::size_t widths[] = {20, 30, 10, 2, std::size_t(width), 13};
        const fs::path table = CopyTable(folder, "shapelib-" + std::to_string(width) + ".dbf");
        const std::string dumpBefore = DumpWithoutBarcodes(table);
        EXPECT_NE(dumpBefore.find("ADDR1: 12 oak st"), std::string::npos) << dumpBefore;

        auto list = Open(table);
        EXPECT_EQ(list->recordCount(), 4);
        EXPECT_EQ(list->fieldCount(), 6);
        EXPECT_EQ(list->fieldNames(),
                  (std::vector<std::string>{"NAME", "ADDR1", "ZIP", "DP", "BARCODE", "NOTE"}));
        EXPECT_EQ(list->viewerFieldNames(), list->fieldNames());
        EXPECT_EQ(list->fieldWidth(4), width);
        EXPECT_EQ(list->fieldWidth(6), -1);
        // Identification and the viewer see records as stored, the deleted one too.
        for (long n : {0L, 2L}) {
            FieldList stored;
            for (std::size_t i = 0; i < 6; ++i)
                stored.push_back(Padded(kRows[std::size_t(n)][i], widths[i]));
            EXPECT_EQ(list->viewerRecord(n + 1), stored);
        }
        for (int pass : {1, 2, 3})
            EXPECT_EQ(list->identificationRecord(pass), list->viewerRecord(1));
        EXPECT_THROW(list->viewerRecord(5), MarrowbyError);

        auto source = list->openSource(PlanFor(*list, kRoles));
        const std::vector<std::string> barcodes = {kBarcode, "", kBarcode, "/123456789012/"};
        std::vector<FieldList> read;
        FieldList fields(8, "left over");
        for (const std::string& barcode : barcodes) {
            ASSERT_TRUE(source->readRecord(fields));
            read.push_back(fields);
            source->storeBarcode(barcode);
        }
        EXPECT_FALSE(source->readRecord(fields));
        source->finish();
        // Values are trimmed and upper-cased, a field of spaces reads as one space, fields
        // without a role (the name, the note) are not read and a deleted record reads as empty.
        EXPECT_EQ(read, (std::vector<FieldList>{
                            {"", "12 OAK ST", "77001-1234", "5", "OLD BARCODE", "", "", ""},
                            {"", "PO BOX 7", "770011234", " ", " ", "", "", ""},
                            FieldList(8),
                            {"", " ", "7", " ", " ", "", "", ""}}));

        // Only the barcode fields of the live records change.
        EXPECT_EQ(folder.read("clients.dbf"),
                  TestDataBytes("dbase/shapelib-" + std::to_string(width) + "-after.dbf"));
        EXPECT_EQ(DumpWithoutBarcodes(table), dumpBefore);
    }
}

// A run that only reads the table is not stopped by another program's lock.
TEST(Dbase, UnsafeTablesAreRefusedAndLeftAsTheyWere) {
    const auto rows = CaseRows("dbase/refusals.tsv");
    ASSERT_EQ(rows.size(), 24u);
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(2) + " " + r.at(3));
        TempFolder folder;
        const fs::path table = CopyTable(folder, r.at(2));
        const std::string bytes = folder.read("clients.dbf");
        if (r.at(1) == "open") {
            EXPECT_EQ(RefusalOf(table), r.at(4));
            EXPECT_EQ(folder.read("clients.dbf"), bytes);
            continue;
        }
        auto list = Open(table);
        const int other = ActOnOpenTable(table, r.at(3));
        const bool isFile = fs::is_regular_file(table);
        const std::string before = isFile ? folder.read("clients.dbf") : bytes;
        EXPECT_EQ(ErrorOf([&] {
                      auto source = list->openSource(PlanFor(*list, kRoles));
                      FieldList fields;
                      while (source->readRecord(fields)) source->storeBarcode(kBarcode);
                      source->finish();
                  }),
                  r.at(4));
        // A sound table gets its barcodes; a refused one stays as it was.
        EXPECT_EQ(isFile && folder.read("clients.dbf") == before, isFile && !r[4].empty());
        if (other < 0) continue;
        auto source = list->openSource(PlanFor(*list, {.address = 1, .zip9 = 2}, false));
        FieldList fields;
        long records = 0;
        while (source->readRecord(fields)) ++records;
        source->finish();
        EXPECT_EQ(records, 4);
        ::close(other);
        ::wait(nullptr);
    }
    TempFolder folder;
    EXPECT_EQ(RefusalOf(folder.path() / "missing.dbf"), "No such file or directory.");
    fs::create_directory(folder.path() / "folder.dbf");
    EXPECT_EQ(RefusalOf(folder.path() / "folder.dbf"), "It is not a file.");
}

TEST(Dbase, RunOverSeveralBlocksWritesEveryLiveBarcodeFieldAndNothingElse) {
    TempFolder folder;
    auto list = Open(CopyTable(folder, "blocks-deleted.dbf"));
    const std::string bytes = folder.read("clients.dbf");
    auto source = list->openSource(PlanFor(*list, kBigRoles));
    FieldList fields;
    std::string expected = bytes;
    for (long n = 0; source->readRecord(fields); ++n) {
        const std::string barcode = n % 2 ? kBarcode : "";
        source->storeBarcode(barcode);
        if (n % 7 != 0) expected.replace(BigRecord(n) + 51, 49, Padded(barcode, 49));
    }
    source->finish();
    EXPECT_EQ(folder.read("clients.dbf"), expected);
}

// A barcode too long for its field, or a table cut short under the run, stops it.
TEST(Dbase, RunStoppedMidwaySaysHowFarTheBarcodesReached) {
    const std::string prefix = "Marrowby could not update clients.dbf: ";
    const std::string tooLong(50, '/');
    const struct {
        long stored;        // records given a barcode before the fault
        std::size_t cutAt;  // the size the table is cut to, or 0
        std::string message;
    } cases[] = {
        {1, 0,
         prefix + "the barcode " + tooLong +
             " is longer than the barcode field, which holds 49 characters. Barcodes were "
             "written to 1 record, up to record 1; the records after it are as they were."},
        {2621, BigRecord(2900) + 50,
         prefix + "the file ends inside record 2901 of 3000. Barcodes were written to 2621 "
                  "records, up to record 2621; the records after it are as they were."},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const fs::path table = CopyTable(folder, "blocks.dbf");
        const std::string bytes = folder.read("clients.dbf");
        auto list = Open(table);
        auto source = list->openSource(PlanFor(*list, kBigRoles));
        FieldList fields;
        std::string expected = bytes;
        for (long n = 0; n < c.stored; ++n) {
            ASSERT_TRUE(source->readRecord(fields));
            source->storeBarcode(kBarcode);
            expected.replace(BigRecord(n) + 51, 49, Padded(kBarcode, 49));
        }
        if (c.cutAt > 0) {
            fs::resize_file(table, c.cutAt);
            expected.resize(c.cutAt);
        }
        EXPECT_EQ(ErrorOf([&] {
                      source->readRecord(fields);
                      source->storeBarcode(tooLong);
                  }),
                  c.message);
        source->abandon();
        EXPECT_EQ(folder.read("clients.dbf"), expected);
    }
}

TEST(Dbase, NamesLoseTrailingSpacesAndNulsButTheViewerShowsThemUpToTheFirstNul) {
    TempFolder folder;
    auto list = Open(CopyTable(folder, "field-names.dbf"));
    EXPECT_EQ(list->fieldNames(), (std::vector<std::string>{"ZIP CODE", "DP", "ADDRESS"}));
    EXPECT_EQ(list->viewerFieldNames(), (std::vector<std::string>{"ZIP CODE  ", "DP", "ADDRESS"}));
    EXPECT_EQ(list->recordCount(), 0);
    EXPECT_EQ(list->identificationRecord(1), FieldList(3));
}

TEST(Dbase, MemoFileStandsForTheTableOfTheSameNameBesideIt) {
    for (const auto& r : CaseRows("dbase/memos.tsv")) {
        SCOPED_TRACE("row " + r.at(0));
        TempFolder folder;
        const fs::path memo = folder.write(r.at(1), "memo text, not a table");
        for (const std::string& table : SplitField(r.at(2), '|'))
            fs::rename(CopyTable(folder, "clients.dbf"), folder.path() / table);
        EXPECT_EQ(r.at(3) == "-" ? RefusalOf(memo) : Open(memo)->fileName(),
                  r[3] == "-" ? "It holds the memos of a table, and the table file list.dbf is not "
                                "beside it."
                              : (folder.path() / r[3]).string());
        EXPECT_EQ(folder.read(r[1]), "memo text, not a table");
    }
}

// Every byte value, at every place in a word, with every length of padding.
TEST(Dbase, ValuesAreTrimmedAndOnlyAsciiLettersUpperCased) {
    TempFolder folder;
    auto list = Open(CopyTable(folder, "values.dbf"));
    const std::string bytes = folder.read("clients.dbf");
    auto source = list->openSource(PlanFor(*list, {.address = 0, .zip9 = 1}, false));
    FieldList fields;
    for (long n = 0; n < list->recordCount(); ++n) {
        ASSERT_TRUE(source->readRecord(fields));
        const std::string value = bytes.substr(BigRecord(n) + 1, 40);
        std::string expected = value;
        while (expected.size() > 1 && expected.back() == ' ') expected.pop_back();
        for (char& c : expected)
            if (c >= 'a' && c <= 'z') c = char(c - 32);
        EXPECT_EQ(fields[0], expected) << value;
    }
}

// Identification by contents sees only the first record: a field that looks like a barcode
// there may hold other data further down, and must not be offered for the barcodes.
TEST(Dbase, BarcodesAreProposedOnlyForCharacterFieldsBlankOrBarcodedInEveryRecord) {
    TempFolder folder;
    auto list = Open(CopyTable(folder, "proposals.dbf"));
    const auto blankOrFramed = [](std::string_view value) {
        return value.find_first_not_of(' ') == std::string_view::npos || value.front() == '/';
    };
    EXPECT_EQ(list->textFieldsHoldingOnly(blankOrFramed),
              (std::vector<bool>{false, false, false, false, false, true, true, false, true}));

    FieldList first = list->identificationRecord(1);
    EXPECT_EQ(ContentCandidates(first, 9).barcode, 7) << "the first record alone suggests CODE";

    RoadFixture road;
    EXPECT_EQ(road.run({(folder.path() / "clients.dbf").string()}), 0);
    ASSERT_EQ(road.identifier.shown.size(), 1u);
    EXPECT_EQ(road.identifier.shown[0], (FieldRoles{.address = 1, .zip9 = 2, .barcode = 6}));
    EXPECT_EQ(road.messageTexts(),
              std::vector<std::string>{"Barcodes have been added to clients.dbf."});
    EXPECT_EQ(Open(folder.path() / "clients.dbf")->viewerRecord(2)[7], "see note 1234 ");
}

// A short field is refused unattended on the error stream, attended in a box and back to the
// field dialog (cancelled here); not even the serial changes.
TEST(Dbase, IntelligentMailLettersFillTheBarcodeFieldAndAShortFieldIsRefused) {
    RoadFixture road;
    road.useMailer("1 123456 41");
    TempFolder folder;
    const fs::path table = CopyTable(folder, "imb-70.dbf");
    ASSERT_EQ(road.run({table.string(), "nostop"}), 0);
    EXPECT_TRUE(road.prompter.messages.empty());
    EXPECT_EQ(ReadBytes(table), TestDataBytes("dbase/imb-70-after.dbf"));
    EXPECT_EQ(road.mailer(), MailerFile("1 123456 43"));

    const std::string shortField =
        "The field BARCODE that you chose for barcodes holds 64 characters, too few for an "
        "Intelligent Mail barcode: it must be able to hold at least 65 characters.";
    for (const bool unattended : {true, false}) {
        SCOPED_TRACE(unattended);
        const fs::path narrow = CopyTable(folder, "imb-64.dbf");
        const std::string before = ReadBytes(narrow);
        road.errors.str("");
        std::vector<std::string> arguments{narrow.string()};
        if (unattended) arguments.push_back("NOSTOP");
        EXPECT_EQ(road.run(arguments), unattended ? 1 : 0);
        EXPECT_EQ(road.identifier.shown.size(), unattended ? 0u : 2u);
        const auto reported =
            unattended ? std::vector<std::string>{road.errors.str()} : road.messageTexts();
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].substr(0, shortField.size()), shortField);
        EXPECT_EQ(ReadBytes(narrow), before);
        EXPECT_EQ(road.mailer(), MailerFile("1 123456 43"));
    }
}

}  // namespace marrowby

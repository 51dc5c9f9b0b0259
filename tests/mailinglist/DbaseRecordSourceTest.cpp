// Runs over dBase tables: the values the run reads, barcode fields written in place, and
// files that cannot be written or change under the run.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "DbaseTestFiles.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/DbaseMailingList.h"

namespace {

const DbfRows kRows = {
    {"Smith", "12 oak st", "77001-1234", "5", "old barcode", "keep"},
    {"Jones", "PO Box 7", "770011234 ", "", "", "me  "},
    {"Gone", "1 Elm", "77002-0000", "9", "deleted one", "x"},
    {"Short", "  ", "7", "", "", ""},
};
const long kDeleted = 2;
const std::string kBarcode = "/770011234057/";

std::vector<DbfColumn> Columns(int barcodeWidth) {
    return {{"NAME", 20}, {"ADDR1", 30}, {"ZIP", 10}, {"DP", 2}, {"BARCODE", barcodeWidth},
            {"NOTE", 15}};
}

RunPlan PlanFor(const MailingList& list, bool addMode) {
    RunPlan plan;
    plan.listFileName = list.fileName();
    plan.recordCount = list.recordCount();
    plan.fieldCount = list.fieldCount();
    plan.roles.address = 1;
    plan.roles.zip9 = 2;
    plan.roles.deliveryPoint = 3;
    plan.roles.barcode = addMode ? 4 : -1;
    plan.addMode = addMode;
    return plan;
}

std::unique_ptr<MailingList> Open(const std::filesystem::path& table) {
    FakePrompter prompter;
    auto list = OpenDbaseMailingList(table.string(), prompter);
    if (!list) throw std::runtime_error("not opened");
    return list;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const MarrowbyError& error) {
        return error.what();
    }
    return "(no error)";
}

// dbfdump's lines with the barcode lines left out.
std::string WithoutBarcodeLines(const std::string& dump) {
    std::string kept;
    std::size_t start = 0;
    while (start < dump.size()) {
        std::size_t end = dump.find('\n', start);
        end = end == std::string::npos ? dump.size() : end + 1;
        if (dump.compare(start, 8, "BARCODE:") != 0) kept += dump.substr(start, end - start);
        start = end;
    }
    return kept;
}

TEST(DbaseRecordSource, RunReadsTrimmedUpperCaseValuesAndWritesOnlyLiveBarcodeFields) {
    if (!ShapelibAvailable()) GTEST_SKIP() << "dbfcreate/dbfadd/dbfdump are not installed";
    for (int width : {14, 20}) {
        SCOPED_TRACE(width);
        TempFolder folder;
        const auto columns = Columns(width);
        const auto table = CreateDbf(folder, "clients.dbf", columns, kRows);
        PatchFile(table, RecordOffset(columns, kDeleted), "*");
        const std::string before = folder.read("clients.dbf");
        const std::string dumpBefore = DumpDbf(table);

        auto list = Open(table);
        EXPECT_EQ(list->fieldWidth(4), width);
        auto source = list->openSource(PlanFor(*list, true));
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

        // Fields past the highest role are not read; a field of spaces reads as one space.
        EXPECT_EQ(read[0],
                  (FieldList{"SMITH", "12 OAK ST", "77001-1234", "5", "OLD BARCODE", "", "", ""}));
        EXPECT_EQ(read[1], (FieldList{"JONES", "PO BOX 7", "770011234", " ", " ", "", "", ""}));
        EXPECT_EQ(read[kDeleted], FieldList(8));
        EXPECT_EQ(read[3], (FieldList{"SHORT", " ", "7", " ", " ", "", "", ""}));

        std::string expected = before;
        for (long n : {0L, 1L, 3L}) {
            std::string field = barcodes[std::size_t(n)];
            field.resize(std::size_t(width), ' ');
            expected.replace(std::size_t(RecordOffset(columns, n) + 63), field.size(), field);
        }
        EXPECT_EQ(folder.read("clients.dbf"), expected);

        const std::string dumpAfter = DumpDbf(table);
        EXPECT_EQ(WithoutBarcodeLines(dumpAfter), WithoutBarcodeLines(dumpBefore));
        const std::string blank(std::size_t(width), ' ');
        for (const std::string& line :
             {"BARCODE: " + kBarcode + blank.substr(14), "BARCODE: " + blank,
              "BARCODE: " + std::string("deleted one") + blank.substr(11),
              "BARCODE: /123456789012/" + blank.substr(14)})
            EXPECT_NE(dumpAfter.find(line + "\n"), std::string::npos) << line;
    }
}

TEST(DbaseRecordSource, BarcodesOnlyRunLeavesTheTableAsItWasEvenWhileAnotherHoldsALock) {
    TempFolder folder;
    const auto columns = Columns(20);
    const auto table = folder.write("clients.dbf", DbaseBytes(columns, kRows));
    const std::string before = folder.read("clients.dbf");
    auto list = Open(table);
    const int other = ::open(table.c_str(), O_RDWR);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);

    auto source = list->openSource(PlanFor(*list, false));
    FieldList fields;
    std::vector<std::string> zips;
    while (source->readRecord(fields)) zips.push_back(fields[2]);
    source->finish();
    ::close(other);
    EXPECT_EQ(zips, (std::vector<std::string>{"77001-1234", "770011234", "77002-0000", "7"}));
    EXPECT_EQ(folder.read("clients.dbf"), before);
}

TEST(DbaseRecordSource, TableThatCannotBeWrittenOrHasChangedIsReportedAndLeftAlone) {
    const auto columns = Columns(20);
    const std::string bytes = DbaseBytes(columns, kRows);
    auto changedColumns = columns;
    changedColumns[5].width = 16;
    const std::string changed = DbaseBytes(changedColumns, kRows);
    const std::string prefix = "Marrowby could not update clients.dbf: ";

    enum class Other { WholeFileLock, RecordLock, Folder, NewLayout, CutShort };
    struct Case {
        Other other;
        std::string after;  // the file's bytes once the other program is done with it
        std::string message;
    };
    const std::vector<Case> cases = {
        {Other::WholeFileLock, bytes, prefix + "another application is using it."},
        {Other::RecordLock, bytes, prefix + "another application is using it."},
        {Other::Folder, "", prefix + "Is a directory."},
        {Other::NewLayout, changed, prefix + "it has changed since it was opened."},
        {Other::CutShort, bytes.substr(0, bytes.size() - 50),
         prefix + "it has changed since it was opened. The file is shorter than its header "
                  "claims: it should hold 4 records."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        TempFolder folder;
        const auto table = folder.write("clients.dbf", bytes);
        auto list = Open(table);
        int other = -1;
        switch (c.other) {
            case Other::WholeFileLock:
                other = ::open(table.c_str(), O_RDWR);
                ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
                break;
            case Other::RecordLock: {
                other = ::open(table.c_str(), O_RDWR);
                struct flock lock {};
                lock.l_type = F_WRLCK;
                lock.l_whence = SEEK_SET;
                lock.l_start = 100;
                lock.l_len = 10;
                ASSERT_EQ(::fcntl(other, F_SETLK, &lock), 0);
                break;
            }
            case Other::Folder:
                std::filesystem::remove(table);
                std::filesystem::create_directory(table);
                break;
            case Other::NewLayout:
            case Other::CutShort:
                folder.write("clients.dbf", c.after);
                break;
        }
        EXPECT_EQ(ErrorOf([&] { list->openSource(PlanFor(*list, true)); }), c.message);
        if (other >= 0) ::close(other);
        if (c.other != Other::Folder) {
            EXPECT_EQ(folder.read("clients.dbf"), c.after);
        }
    }
}

TEST(DbaseRecordSource, RunOverSeveralBlocksWritesEveryLiveBarcodeFieldAndNothingElse) {
    const std::vector<DbfColumn> columns = {{"ADDR1", 40}, {"ZIP", 10}, {"BARCODE", 49}};
    DbfRows rows(3000, {"1 Elm St", "770011234", "old"});
    std::string bytes = DbaseBytes(columns, rows);
    for (long n = 0; n < 3000; n += 7) bytes[std::size_t(RecordOffset(columns, n))] = '*';
    TempFolder folder;
    const auto table = folder.write("big.dbf", bytes);
    auto list = Open(table);
    RunPlan plan = PlanFor(*list, true);
    plan.roles = {};
    plan.roles.address = 0;
    plan.roles.zip9 = 1;
    plan.roles.barcode = 2;
    auto source = list->openSource(plan);

    FieldList fields;
    std::string expected = bytes;
    for (long n = 0; source->readRecord(fields); ++n) {
        const std::string barcode = n % 2 ? kBarcode : "";
        source->storeBarcode(barcode);
        if (n % 7 == 0) continue;
        std::string field = barcode;
        field.resize(49, ' ');
        expected.replace(std::size_t(RecordOffset(columns, n) + 51), 49, field);
    }
    source->finish();
    EXPECT_EQ(folder.read("big.dbf"), expected);
}

TEST(DbaseRecordSource, TableCutShortDuringTheRunReportsHowFarTheBarcodesReached) {
    // 100-byte records: the first block of 256 KiB holds 2621 of the 3000 records.
    const std::vector<DbfColumn> columns = {{"ADDR1", 40}, {"ZIP", 10}, {"BARCODE", 49}};
    DbfRows rows(3000, {"1 Elm St", "770011234", ""});
    TempFolder folder;
    const auto table = folder.write("big.dbf", DbaseBytes(columns, rows));
    auto list = Open(table);
    RunPlan plan = PlanFor(*list, true);
    plan.roles = {};
    plan.roles.address = 0;
    plan.roles.zip9 = 1;
    plan.roles.barcode = 2;
    auto source = list->openSource(plan);

    FieldList fields;
    for (long n = 0; n < 2621; ++n) {
        ASSERT_TRUE(source->readRecord(fields));
        source->storeBarcode(kBarcode);
    }
    std::filesystem::resize_file(table, std::uintmax_t(RecordOffset(columns, 2900) + 50));
    EXPECT_EQ(ErrorOf([&] { source->readRecord(fields); }),
              "Marrowby could not update big.dbf: the file ends inside record 2901 of 3000. "
              "Barcodes were written to 2621 records, up to record 2621; the records after it "
              "are as they were.");
    source->abandon();

    const std::string after = folder.read("big.dbf");
    EXPECT_EQ(after.substr(std::size_t(RecordOffset(columns, 2620) + 51), 14), kBarcode);
    EXPECT_EQ(after.substr(std::size_t(RecordOffset(columns, 2621) + 51), 14),
              std::string(14, ' '));
}

TEST(DbaseRecordSource, BarcodeLongerThanItsFieldStopsTheRunWithoutTouchingTheNextField) {
    TempFolder folder;
    const auto columns = Columns(14);
    const auto table = folder.write("clients.dbf", DbaseBytes(columns, kRows));
    auto list = Open(table);
    auto source = list->openSource(PlanFor(*list, true));
    FieldList fields;
    ASSERT_TRUE(source->readRecord(fields));
    source->storeBarcode(kBarcode);
    ASSERT_TRUE(source->readRecord(fields));
    EXPECT_EQ(ErrorOf([&] { source->storeBarcode("//770011234057//"); }),
              "Marrowby could not update clients.dbf: the barcode //770011234057// is longer "
              "than the barcode field, which holds 14 characters. Barcodes were written to 1 "
              "record, up to record 1; the records after it are as they were.");
    source->abandon();

    std::string expected = DbaseBytes(columns, kRows);
    expected.replace(std::size_t(RecordOffset(columns, 0) + 63), 14, kBarcode);
    EXPECT_EQ(folder.read("clients.dbf"), expected);
}

}  // namespace

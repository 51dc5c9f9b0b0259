// Barcodes stored into Access tables: every other value reads back unchanged through
// mdb-export, refusals change nothing, and a failed run puts the file back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>

#include "access/AccessTestFiles.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/access/AccessMailingList.h"

namespace {

RunPlan AddPlan(const MailingList& list, int barcodeField) {
    return {.listFileName = list.fileName(),
            .recordCount = list.recordCount(),
            .fieldCount = list.fieldCount(),
            .roles = {.address = 0, .barcode = barcodeField}};
}

std::unique_ptr<MailingList> OpenList(AccessTable& table, const std::filesystem::path& path,
                                      const std::string& name) {
    return OpenAccessMailingList(table, path.string(), name, nullptr);
}

// Record n's barcode in these tests; every fourth record is left uncoded.
std::string BarcodeFor(long n) {
    if (n % 4 == 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "/%012ld/", 770010000000L + n);
    return text;
}

// Runs the first `limit` records through the run's source, storing BarcodeFor each.
void StoreBarcodes(MailingList& list, int field, long limit = LONG_MAX) {
    auto source = list.openSource(AddPlan(list, field));
    FieldList fields;
    long n = 0;
    while (n < limit && source->readRecord(fields)) source->storeBarcode(BarcodeFor(++n));
    source->finish();
}

// The message of the MarrowbyError the call throws; empty when it throws none.
template <typename Call>
std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const MarrowbyError& error) {
        return error.what();
    }
    return {};
}

// HomePhone grows, Title shrinks, Region is null in several records, ShortTextCol is stored
// compressed before it is replaced; in the .accdb file the records of pages with little room
// take barcodes, which later formats store compressed. Fax and Make meet a page with too
// little free space for the longer value: the run stops there and the database is put back
// byte for byte.
TEST(AccessWrite, StoresBarcodesAndKeepsEveryOtherValue) {
    struct Case {
        const char* file;
        const char* table;
        const char* field;
        long limit;
        bool pageFills;
    };
    const Case cases[] = {
        {"nwind.mdb", "Employees", "HomePhone", LONG_MAX, false},
        {"nwind.mdb", "Employees", "Title", LONG_MAX, false},
        {"nwind.mdb", "Employees", "Region", LONG_MAX, false},
        {"nwind.mdb", "Shippers", "Phone", LONG_MAX, false},
        {"DateTestDatabase.mdb", "DateTest", "ShortTextCol", LONG_MAX, false},
        {"ASampleDatabase.accdb", "Asset Items", "Description", LONG_MAX, false},
        {"nwind.mdb", "Customers", "Fax", LONG_MAX, true},
        {"ASampleDatabase.accdb", "Asset Items", "Make", LONG_MAX, true},
    };
    for (const Case& c : cases) {
        ACCESS_DATABASE(path, folder, c.file);
        const std::string original = AccessFileBytes(path);
        const AccessRows before = ExportAccessTable(path, c.table);
        AccessTable table;
        auto list = OpenList(table, path, c.table);
        const int field = table.FieldPosition(c.field);
        const std::string error = ErrorOf([&] { StoreBarcodes(*list, field, c.limit); });
        EXPECT_FALSE(table.Active());
        EXPECT_EQ(AccessFolderListing(folder.path()),
                  std::vector<std::string>{path.filename().string()});
        if (c.pageFills) {
            // Records before the full page were written and had to be taken back.
            EXPECT_EQ(error.find("record 1 "), std::string::npos) << error;
            EXPECT_NE(error.find("has no room left for the longer value. The database was left "
                                 "as it was before the run."),
                      std::string::npos)
                << c.table << ": " << error;
            EXPECT_TRUE(AccessFileBytes(path) == original) << c.table;
            continue;
        }
        ASSERT_EQ(error, "");
        AccessRows expected = before;
        for (long r = 0; r < c.limit && r < static_cast<long>(before.size()); ++r) {
            expected[r].at(field) = BarcodeFor(r + 1);
        }
        EXPECT_EQ(ExportAccessTable(path, c.table), expected) << c.table << "." << c.field;
        const bool compressed =
            AccessFileBytes(path).find("\xff\xfe" + BarcodeFor(1)) != std::string::npos;
        EXPECT_EQ(compressed,
                  path.extension() == ".accdb" || c.field == std::string("ShortTextCol"))
            << c.table << "." << c.field;

        // A second run over the barcodes just stored changes nothing.
        const std::string stored = AccessFileBytes(path);
        StoreBarcodes(*OpenList(table, path, c.table), field, c.limit);
        EXPECT_TRUE(AccessFileBytes(path) == stored) << c.table;
    }
}

// A refusal comes before anything is written: the file and its folder stay as they were.
void ExpectRefused(const std::filesystem::path& path, const char* name, const char* field,
                   const std::string& reason) {
    const std::string original = AccessFileBytes(path);
    const auto listing = AccessFolderListing(path.parent_path());
    AccessTable table;
    auto list = OpenList(table, path, name);
    const std::string error =
        ErrorOf([&] { list->openSource(AddPlan(*list, table.FieldPosition(field))); });
    EXPECT_NE(error.find(reason), std::string::npos) << field << ": " << error;
    EXPECT_TRUE(error.ends_with(" Nothing was changed.")) << error;
    EXPECT_TRUE(AccessFileBytes(path) == original);
    EXPECT_EQ(AccessFolderListing(path.parent_path()), listing);
}

TEST(AccessWrite, UnsuitableBarcodeFieldsAndOpenDatabasesAreRefused) {
    struct Case {
        const char* table;
        const char* field;
        const char* lockFile;  // nullptr: none
        const char* reason;
    };
    const Case cases[] = {
        {"Customers", "CustomerID", nullptr, "it holds only 5 characters and a barcode needs 14"},
        {"Customers", "CompanyName", nullptr, "it is part of an index of the table"},
        {"Employees", "EmployeeID", nullptr, "it is not a text field"},
        {"Employees", "Notes", nullptr, "it is not a text field"},
        {"Shippers", "Phone", "nwind.ldb",
         "nwind.mdb seems to be open in Access (its lock file nwind.ldb exists). Close it in "
         "Access, or delete the lock file if Access is not running, and try again."},
        {"Shippers", "Phone", "nwind.laccdb", "(its lock file nwind.laccdb exists)"},
    };
    for (const Case& c : cases) {
        ACCESS_DATABASE(path, folder, "nwind.mdb");
        if (c.lockFile != nullptr) folder.write(c.lockFile, "");
        ExpectRefused(path, c.table, c.field, c.reason);
    }
}

// Without a write bit the file is read-only, even to a user whose rights ignore the modes.
TEST(AccessWrite, ReadOnlyDatabaseIsRefused) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    chmod(path.c_str(), 0444);
    ExpectRefused(path, "Shippers", "Phone", "cannot write to nwind.mdb: the file is read-only.");
}

// A barcodes-only run reads every record and leaves the file alone; a ZIP kept as a long
// integer loses its leading zero: 02134 reads as 2134.
TEST(AccessWrite, BarcodesOnlyRunReadsIntegerZipWithoutTouchingTheFile) {
    ACCESS_DATABASE(path, folder, "DateTestDatabase.mdb");
    // The first record's IDCol, first fixed column of the last row on data page 20, set to 2134.
    std::fstream(path, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(20L * 4096 + 4033)
        .write("\x56\x08\0\0", 4);
    const std::string original = AccessFileBytes(path);
    AccessTable table;
    auto list = OpenList(table, path, "DateTest");
    RunPlan plan = AddPlan(*list, -1);
    plan.addMode = false;
    plan.roles.zip9 = table.FieldPosition("IDCol");
    auto source = list->openSource(plan);
    FieldList fields;
    ASSERT_TRUE(source->readRecord(fields));
    EXPECT_EQ(fields[plan.roles.zip9], "2134");
    long records = 1;
    for (; source->readRecord(fields); ++records)
        EXPECT_EQ(static_cast<int>(fields.size()), plan.fieldCount);
    source->finish();
    EXPECT_EQ(records, static_cast<long>(ExportAccessTable(path, "DateTest").size()));
    EXPECT_TRUE(AccessFileBytes(path) == original);
}

// Jet 3 rows keep one-byte offsets and a jump table once they pass 256 bytes: a record
// written long enough to cross that line reads back whole, and is written again later.
TEST(AccessWrite, Jet3RecordGrowsPast256Bytes) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const std::pair<const char*, std::string> values[] = {
        {"Address", std::string(60, 'A')},
        {"Title", std::string(30, 'T')},
        {"TitleOfCourtesy", std::string(25, 'C')},
        {"HomePhone", std::string(24, 'H')},
        {"City", std::string(15, 'c')},
        {"Region", std::string(15, 'r')},
        {"Country", std::string(15, 'n')},
        {"Address", "/123456789012/"},
    };
    AccessTable table;
    auto list = OpenList(table, path, "Employees");
    AccessRows expected = ExportAccessTable(path, "Employees");
    for (const auto& [field, value] : values) {
        table.First();
        table.Edit();
        table.SetFieldByName(field, value);
        table.First();
        expected[0].at(table.FieldPosition(field)) = value;
        EXPECT_EQ(table.FieldText(table.FieldPosition(field)), value);
        // Checked at its longest (272 bytes) and after shrinking below 256 bytes again.
        if (value.size() == 15 || value.size() == 14) {
            EXPECT_EQ(ExportAccessTable(path, "Employees"), expected) << field;
        }
    }
    table.setActive(false);
}

}  // namespace

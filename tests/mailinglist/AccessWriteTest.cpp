// Barcodes stored into Access tables: every other value of the table reads back unchanged
// through mdb-export, refusals change nothing, and a failed run puts the file back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "AccessTestFiles.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/AccessMailingList.h"

namespace {

std::string NoChoice(const std::string&) {
    ADD_FAILURE() << "the table selector was shown";
    return {};
}

std::unique_ptr<MailingList> OpenList(AccessTable& table, const std::filesystem::path& path,
                                      const std::string& name) {
    auto list = OpenAccessMailingList(table, path.string(), name, NoChoice);
    if (list == nullptr) throw std::runtime_error("no list");
    return list;
}

RunPlan AddPlan(const MailingList& list, int barcodeField) {
    RunPlan plan;
    plan.listFileName = list.fileName();
    plan.recordCount = list.recordCount();
    plan.fieldCount = list.fieldCount();
    plan.roles.address = 0;
    plan.roles.barcode = barcodeField;
    return plan;
}

// Record n's barcode in these tests; every third record is left uncoded.
std::string BarcodeFor(long n) {
    if (n % 3 == 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "/%012ld/", 770010000000L + n);
    return text;
}

// Runs the whole table through the run's source, storing BarcodeFor each record.
void StoreBarcodes(MailingList& list, int field) {
    auto source = list.openSource(AddPlan(list, field));
    FieldList fields;
    long n = 0;
    try {
        while (source->readRecord(fields)) source->storeBarcode(BarcodeFor(++n));
    } catch (...) {
        source->abandon();
        throw;
    }
    source->finish();
}

TEST(AccessWrite, StoresBarcodesAndKeepsEveryOtherValue) {
    struct Case {
        const char* file;
        const char* table;
        const char* field;
    };
    // HomePhone grows, Title shrinks, Region is null in several records, ShortTextCol is
    // stored compressed before it is replaced.
    const Case cases[] = {
        {"nwind.mdb", "Employees", "HomePhone"},
        {"nwind.mdb", "Employees", "Title"},
        {"nwind.mdb", "Employees", "Region"},
        {"nwind.mdb", "Shippers", "Phone"},
        {"DateTestDatabase.mdb", "DateTest", "ShortTextCol"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ACCESS_DATABASE_OR_SKIP(path, folder, c.file);
        const AccessRows before = ExportAccessTable(path, c.table);
        AccessTable table;
        auto list = OpenList(table, path, c.table);
        const int field = table.FieldPosition(c.field);
        ASSERT_GE(field, 0);
        StoreBarcodes(*list, field);
        EXPECT_FALSE(table.Active());

        const AccessRows after = ExportAccessTable(path, c.table);
        ASSERT_EQ(after.size(), before.size()) << c.table;
        for (size_t r = 0; r < before.size(); ++r) {
            std::vector<std::string> expected = before[r];
            expected.at(field) = BarcodeFor(static_cast<long>(r) + 1);
            EXPECT_EQ(after[r], expected) << c.table << "." << c.field << " record " << r + 1;
        }
        EXPECT_EQ(AccessFolderListing(folder.path()),
                  std::vector<std::string>{path.filename().string()});

        // A second run over the barcodes just stored changes nothing.
        const std::string stored = AccessFileBytes(path);
        auto again = OpenList(table, path, c.table);
        StoreBarcodes(*again, field);
        EXPECT_TRUE(AccessFileBytes(path) == stored) << c.table;
    }
}

TEST(AccessWrite, NullFieldReceivesABarcodeAndUncodedRecordsBecomeNull) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    AccessTable table;
    auto list = OpenList(table, path, "Employees");
    const int region = table.FieldPosition("Region");
    long nullRecord = 0;
    for (table.First(); !table.Eof() && nullRecord == 0; table.Next()) {
        if (table.FieldText(region).empty()) nullRecord = table.RecNo();
    }
    ASSERT_GT(nullRecord, 0);
    StoreBarcodes(*list, region);

    OpenList(table, path, "Employees");
    for (table.First(); !table.Eof(); table.Next()) {
        EXPECT_EQ(table.FieldText(region), BarcodeFor(table.RecNo()));
    }
}

// A page with too little free space for a longer value: the run stops at that record with a
// clear message and the database is put back byte for byte.
TEST(AccessWrite, FullPageIsRefusedAndTheFileRestored) {
    struct Case {
        const char* file;
        const char* table;
        const char* field;
    };
    const Case cases[] = {
        {"nwind.mdb", "Customers", "Fax"},
        {"ASampleDatabase.accdb", "Asset Items", "Description"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ACCESS_DATABASE_OR_SKIP(path, folder, c.file);
        const std::string original = AccessFileBytes(path);
        AccessTable table;
        auto list = OpenList(table, path, c.table);
        const int field = table.FieldPosition(c.field);
        try {
            StoreBarcodes(*list, field);
            ADD_FAILURE() << c.table << ": the run did not stop";
        } catch (const MarrowbyError& error) {
            // Records before the full page were written and had to be taken back.
            EXPECT_EQ(std::string(error.what()).find("record 1 "), std::string::npos);
            EXPECT_NE(std::string(error.what())
                          .find("has no room left for the longer value. The database was left "
                                "as it was before the run."),
                      std::string::npos)
                << error.what();
        }
        EXPECT_TRUE(AccessFileBytes(path) == original) << c.table;
        EXPECT_EQ(AccessFolderListing(folder.path()),
                  std::vector<std::string>{path.filename().string()});
    }
}

TEST(AccessWrite, UnsuitableBarcodeFieldsAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* table;
        const char* field;
        const char* reason;
    };
    const Case cases[] = {
        {"Customers", "CustomerID", "it holds only 5 characters and a barcode needs 14"},
        {"Customers", "PostalCode", "it holds only 10 characters"},
        {"Customers", "CompanyName", "it is part of an index of the table"},
        {"Employees", "EmployeeID", "it is not a text field"},
        {"Employees", "Notes", "it is not a text field"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
        const std::string original = AccessFileBytes(path);
        AccessTable table;
        auto list = OpenList(table, path, c.table);
        try {
            list->openSource(AddPlan(*list, table.FieldPosition(c.field)));
            ADD_FAILURE() << c.field << " was accepted";
        } catch (const MarrowbyError& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
        EXPECT_TRUE(AccessFileBytes(path) == original);
        EXPECT_EQ(AccessFolderListing(folder.path()), std::vector<std::string>{"nwind.mdb"});
    }
}

TEST(AccessWrite, DatabaseOpenInAccessIsRefused) {
    for (const char* lock : {"nwind.ldb", "nwind.laccdb"}) {
        TempFolder folder;
        ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
        folder.write(lock, "");
        AccessTable table;
        auto list = OpenList(table, path, "Shippers");
        try {
            list->openSource(AddPlan(*list, 2));
            ADD_FAILURE() << lock;
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "nwind.mdb seems to be open in Access (its lock file " + std::string(lock) +
                          " exists). Close it in Access, or delete the lock file if Access is "
                          "not running, and try again. Nothing was changed.");
        }
        EXPECT_EQ(AccessFolderListing(folder.path()).size(), 2u);
    }
}

TEST(AccessWrite, ReadOnlyDatabaseIsRefused) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    chmod(path.c_str(), 0444);
    AccessTable table;
    auto list = OpenList(table, path, "Shippers");
    if (access(path.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore modes";
    EXPECT_THROW(list->openSource(AddPlan(*list, 2)), MarrowbyError);
}

TEST(AccessWrite, BarcodesOnlyRunReadsWithoutTouchingTheFile) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    const std::string original = AccessFileBytes(path);
    AccessTable table;
    auto list = OpenList(table, path, "Customers");
    RunPlan plan = AddPlan(*list, -1);
    plan.addMode = false;
    plan.roles.zip9 = table.FieldPosition("PostalCode");
    auto source = list->openSource(plan);
    FieldList fields;
    long records = 0;
    while (source->readRecord(fields)) {
        ++records;
        EXPECT_EQ(fields.size(), 11u);
    }
    source->finish();
    EXPECT_EQ(records, 91);
    EXPECT_TRUE(AccessFileBytes(path) == original);
}

// A ZIP kept as a long integer loses its leading zero: 02134 reads as 2134.
TEST(AccessWrite, IntegerZipReadsWithoutItsLeadingZero) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "DateTestDatabase.mdb");
    // IDCol of the first record: the first fixed column of the last row on data page 20.
    const long at = 20L * 4096 + 4033;
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        char id[4];
        file.seekg(at);
        file.read(id, 4);
        ASSERT_EQ(std::string(id, 4), std::string("\x01\0\0\0", 4));
        const char zip[4] = {static_cast<char>(2134 & 0xff), static_cast<char>(2134 >> 8), 0, 0};
        file.seekp(at);
        file.write(zip, 4);
    }
    AccessTable table;
    auto list = OpenList(table, path, "DateTest");
    RunPlan plan = AddPlan(*list, table.FieldPosition("ShortTextCol"));
    plan.roles.zip9 = table.FieldPosition("IDCol");
    auto source = list->openSource(plan);
    FieldList fields;
    ASSERT_TRUE(source->readRecord(fields));
    EXPECT_EQ(fields[0], "2134");
    source->finish();
}

}  // namespace

namespace {

// Jet 3 rows keep one-byte offsets and a jump table once they pass 256 bytes: a record
// written long enough to cross that line reads back whole, and is written again later.
TEST(AccessWrite, Jet3RecordGrowsPast256Bytes) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    const AccessRows before = ExportAccessTable(path, "Employees");
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
    table.setDatabaseName(path.string());
    table.setTableName("Employees");
    table.setActive(true);
    std::vector<std::string> expected = before.at(0);
    for (const auto& [field, value] : values) {
        table.First();
        table.Edit();
        table.SetFieldByName(field, value);
        table.First();
        expected.at(table.FieldPosition(field)) = value;
        EXPECT_EQ(table.FieldText(table.FieldPosition(field)), value);
        // Checked at its longest (272 bytes) and after shrinking below 256 bytes again.
        if (value.size() != 15 && value.size() != 14) continue;
        const AccessRows after = ExportAccessTable(path, "Employees");
        ASSERT_EQ(after.size(), before.size());
        EXPECT_EQ(after[0], expected);
        for (size_t r = 1; r < before.size(); ++r) EXPECT_EQ(after[r], before[r]) << r + 1;
    }
    table.setActive(false);
}

}  // namespace

namespace {

// An .accdb file through the table layer alone: the first records of a page with little room
// take barcodes; the other values stay as they were.
TEST(AccessWrite, AccdbRecordsTakeBarcodesThroughTheTable) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "ASampleDatabase.accdb");
    const AccessRows before = ExportAccessTable(path, "Asset Items");
    AccessTable table;
    table.setDatabaseName(path.string());
    table.setTableName("Asset Items");
    table.setActive(true);
    const int description = table.FieldPosition("description");
    for (long n = 1; n <= 3; ++n) {
        table.Edit();
        table.SetFieldByName("DESCRIPTION", BarcodeFor(n == 3 ? 4 : n));
        table.Next();
    }
    table.setActive(false);
    const AccessRows after = ExportAccessTable(path, "Asset Items");
    ASSERT_EQ(after.size(), before.size());
    for (size_t r = 0; r < before.size(); ++r) {
        std::vector<std::string> expected = before[r];
        if (r < 3) expected[description] = BarcodeFor(r == 2 ? 4 : static_cast<long>(r) + 1);
        EXPECT_EQ(after[r], expected) << r + 1;
    }
}

}  // namespace

// Barcodes stored into Access tables: every other value reads back unchanged through
// mdb-export, and refusals change nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "ListTestSupport.h"
#include "mailinglist/access/AccessDatabaseFile.h"

namespace marrowby {

namespace {

// Record n's barcode in these tests; every fourth record is left uncoded.
std::string BarcodeFor(long n) {
    if (n % 4 == 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "/%012ld/", 770010000000L + n);
    return text;
}

// HomePhone grows, Title shrinks, Region is null in several records, CompanyName must not be
// empty, ShortTextCol is stored compressed before it is replaced; in the .accdb file the
// records of pages with little room take barcodes, which later formats store compressed. Fax
// and Make meet a page with too little free space for the longer value: the run stops there
// and the database is put back byte for byte.
TEST(AccessWrite, StoresBarcodesAndKeepsEveryOtherValue) {
    const struct {
        const char* file;
        const char* table;
        const char* field;
        bool pageFills;
    } cases[] = {
        {"nwind.mdb", "Employees", "HomePhone", false},
        {"nwind.mdb", "Employees", "Title", false},
        {"nwind.mdb", "Employees", "Region", false},
        {"nwind.mdb", "Shippers", "CompanyName", false},
        {"DateTestDatabase.mdb", "DateTest", "ShortTextCol", false},
        {"ASampleDatabase.accdb", "Asset Items", "Description", false},
        {"nwind.mdb", "Customers", "Fax", true},
        {"ASampleDatabase.accdb", "Asset Items", "Make", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "." + c.field);
        ACCESS_DATABASE(path, folder, c.file);
        const std::string original = ReadBytes(path);
        AccessRows expected = ExportAccessTable(path, c.table);
        const std::string error = RunOver(path, c.table, c.field, BarcodeFor);
        EXPECT_EQ(FolderNames(folder.path()),
                  std::vector<std::string>{path.filename().string()});
        if (c.pageFills) {
            // Records before the full page were written and had to be taken back.
            EXPECT_EQ(error.find("record 1 "), std::string::npos) << error;
            EXPECT_TRUE(
                error.ends_with("has no room left for the longer value. The database "
                                "was left as it was before the run."))
                << error;
            EXPECT_TRUE(ReadBytes(path) == original);
            continue;
        }
        ASSERT_EQ(error, "");
        AccessTable table;
        OpenAccessMailingList(table, path.string(), c.table, nullptr);
        const int field = table.FieldPosition(c.field);
        table.setActive(false);
        for (size_t r = 0; r < expected.size(); ++r)
            expected[r].at(field) = BarcodeFor(long(r) + 1);
        EXPECT_EQ(ExportAccessTable(path, c.table), expected);
        const bool compressed =
            ReadBytes(path).find("\xff\xfe" + BarcodeFor(1)) != std::string::npos;
        EXPECT_EQ(compressed,
                  path.extension() == ".accdb" || c.field == std::string("ShortTextCol"));

        // A second run over the barcodes just stored changes nothing.
        const std::string stored = ReadBytes(path);
        EXPECT_EQ(RunOver(path, c.table, c.field, BarcodeFor), "");
        EXPECT_TRUE(ReadBytes(path) == stored);
    }
}

// A refusal leaves the file and its folder as they were; the fields refused and a full disk
// are found before the first write.
TEST(AccessWrite, RefusalsLeaveTheDatabaseAsItWas) {
    using Prepare = std::function<void(TempFolder&, const std::filesystem::path&)>;
    const auto lockFile = [](const char* name) {
        return [name](TempFolder& folder, const std::filesystem::path&) { folder.write(name, ""); };
    };
    const struct {
        const char* table;
        const char* field;
        Prepare prepare;
        std::string reason;
        std::string barcode = SameBarcode(0);
    } cases[] = {
        {"Customers", "CustomerID", nullptr, "it holds only 5 characters and a barcode needs 14"},
        {"Customers", "CompanyName", nullptr, "it is part of an index of the table"},
        {"Employees", "EmployeeID", nullptr, "it is not a text field"},
        {"Employees", "Notes", nullptr, "it is not a text field"},
        {"Shippers", "Phone", lockFile("nwind.ldb"),
         "nwind.mdb seems to be open in Access (its lock file nwind.ldb exists). Close it in "
         "Access, or delete the lock file if Access is not running, and try again."},
        {"Shippers", "Phone", lockFile("nwind.laccdb"), "(its lock file nwind.laccdb exists)"},
        // Without a write bit the file is read-only, even to a user whose rights ignore modes.
        {"Shippers", "Phone",
         [](TempFolder&, const std::filesystem::path& path) { chmod(path.c_str(), 0444); },
         "cannot write to nwind.mdb: the file is read-only."},
        {"Employees", "HomePhone",
         [](TempFolder&, const std::filesystem::path&) {
             SetFreeSpaceProbe(
                 [](const std::string&) { return std::optional<std::uint64_t>(3e6); });
         },
         "Marrowby could not make a backup copy of nwind.mdb: not enough free space for the "
         "backup (3 MB needed). Nothing was changed."},
        // A record without a barcode cannot be stored in a field that must not be empty.
        {"Shippers", "CompanyName", nullptr,
         "There is no barcode for record 1 of the table Shippers, and the field CompanyName "
         "must hold a text that is not empty. The database was left as it was before the run.",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "." + c.field);
        ACCESS_DATABASE(path, folder, "nwind.mdb");
        if (c.prepare) c.prepare(folder, path);
        const std::string original = ReadBytes(path);
        const auto listing = FolderNames(folder.path());
        const std::string error = RunOver(path, c.table, c.field, [&](long) { return c.barcode; });
        SetFreeSpaceProbe(nullptr);
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_TRUE(error.ends_with(c.reason) || error.ends_with(" Nothing was changed.")) << error;
        EXPECT_TRUE(ReadBytes(path) == original);
        EXPECT_EQ(FolderNames(folder.path()), listing);
    }
}

// A barcodes-only run reads every record and leaves the file alone; a ZIP kept as a long
// integer loses its leading zero: 02134 reads as 2134.
TEST(AccessWrite, BarcodesOnlyRunReadsIntegerZipWithoutTouchingTheFile) {
    ACCESS_DATABASE(path, folder, "DateTestDatabase.mdb");
    // The first record's IDCol, first fixed column of the last row on data page 20, set to 2134.
    std::fstream(path, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(20L * 4096 + 4033)
        .write("\x56\x08\0\0", 4);
    const std::string original = ReadBytes(path);
    AccessTable table;
    auto list = OpenAccessMailingList(table, path.string(), "DateTest", nullptr);
    const RunPlan plan{.listFileName = list->fileName(),
                       .recordCount = list->recordCount(),
                       .fieldCount = list->fieldCount(),
                       .roles = {.address = 0, .zip9 = table.FieldPosition("IDCol")},
                       .addMode = false};
    auto source = list->openSource(plan);
    FieldList fields;
    ASSERT_TRUE(source->readRecord(fields));
    EXPECT_EQ(fields[plan.roles.zip9], "2134");
    long records = 1;
    for (; source->readRecord(fields); ++records)
        EXPECT_EQ(static_cast<int>(fields.size()), plan.fieldCount);
    source->finish();
    EXPECT_EQ(records, static_cast<long>(ExportAccessTable(path, "DateTest").size()));
    EXPECT_TRUE(ReadBytes(path) == original);
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
    auto list = OpenAccessMailingList(table, path.string(), "Employees", nullptr);
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

}  // namespace marrowby

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

// Every row of mdb/writes.tsv: stored barcodes read back through mdb-export beside every other
// value unchanged, and written again without a change; a refusal changes nothing.
TEST(AccessWrite, StoresBarcodesKeepingEveryOtherValueOrRefusesChangingNothing) {
    const auto rows = GoldenRows("mdb/writes.tsv", '\t');
    ASSERT_EQ(rows.size(), 17u);
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(2) + "." + r.at(3));
        ACCESS_DATABASE(path, folder, r.at(1));
        if (r.at(4).starts_with("lock ")) folder.write(r[4].substr(5), "");
        // Without a write bit the file is read-only, even to a user whose rights ignore modes.
        if (r[4] == "read-only") chmod(path.c_str(), 0444);
        if (r[4] == "full-disk") {
            SetFreeSpaceProbe([](const std::string&) { return std::optional<std::uint64_t>(3e6); });
        }
        const auto barcodeFor = [&](long n) {
            return r.at(5) == "numbered" ? BarcodeFor(n) : r[5] == "same" ? SameBarcode(n) : "";
        };
        const std::string original = ReadBytes(path);
        const auto listing = FolderNames(folder.path());
        AccessRows expected = ExportAccessTable(path, r[2]);
        const std::string error = RunOver(path, r[2], r[3], barcodeFor);
        SetFreeSpaceProbe(nullptr);
        EXPECT_EQ(FolderNames(folder.path()), listing);
        const std::string& reason = r.at(6);
        if (reason != "stored") {
            EXPECT_NE(error.find(reason), std::string::npos) << error;
            EXPECT_TRUE(error.ends_with(reason) || error.ends_with(" Nothing was changed."))
                << error;
            // Records before the full page were written and had to be taken back.
            EXPECT_TRUE(!reason.starts_with("has no room") ||
                        error.find("record 1 ") == std::string::npos)
                << error;
            EXPECT_TRUE(ReadBytes(path) == original);
            continue;
        }
        ASSERT_EQ(error, "");
        AccessTable table;
        OpenAccessMailingList(table, path.string(), r[2], nullptr);
        const int field = table.FieldPosition(r[3]);
        table.setActive(false);
        for (size_t n = 0; n < expected.size(); ++n)
            expected[n].at(field) = BarcodeFor(long(n) + 1);
        EXPECT_EQ(ExportAccessTable(path, r[2]), expected);
        // Later formats store text compressed, and so does Jet 4 where the old value was.
        const bool compressed =
            ReadBytes(path).find("\xff\xfe" + BarcodeFor(1)) != std::string::npos;
        EXPECT_EQ(compressed, path.extension() == ".accdb" || r[3] == "ShortTextCol");
        const std::string stored = ReadBytes(path);
        EXPECT_EQ(RunOver(path, r[2], r[3], BarcodeFor), "");
        EXPECT_TRUE(ReadBytes(path) == stored);
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

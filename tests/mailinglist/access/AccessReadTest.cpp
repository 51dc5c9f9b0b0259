// Reading Access databases: tables, values, cursor and viewer, the choice of table, non-databases.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ListTestSupport.h"
#include "mailinglist/run/FieldIdentification.h"

namespace marrowby {

namespace {

void OpenTable(AccessTable& table, const std::filesystem::path& path, const std::string& name) {
    table.setDatabaseName(path.string());
    table.setTableName(name);
    table.setActive(true);
}

// Text and integers read as mdb-export prints them, floating point in general form with 15
// significant digits (a single-precision 0.15 keeps the digits its binary form has), every
// other type as empty text. No table Access itself wrote fails the check for damaged pages.
TEST(AccessRead, EveryUserTableReadsAsMdbExportReadsIt) {
    struct Case {
        const char* file;
        std::vector<std::string> tables;
    };
    const Case cases[] = {
        {"nwind.mdb",
         {"Order Details", "Orders", "Products", "Shippers", "Categories", "Customers", "Employees",
          "Suppliers", "Umsätze"}},
        {"DateTestDatabase.mdb", {"DateTest"}},
        {"ASampleDatabase.accdb", {"Asset Items"}},
    };
    bool sawSingle = false;
    for (const Case& c : cases) {
        ACCESS_DATABASE(path, folder, c.file);
        std::vector<std::string> list{"left over"};
        AccessTable::GetTableNames(path.string(), list);
        EXPECT_EQ(list, c.tables) << c.file;
        for (const std::string& name : c.tables) {
            const AccessRows expected = ExportAccessTable(path, name);
            AccessTable table;
            OpenTable(table, path, name);
            EXPECT_EQ(table.DamageReport(), "") << name;
            ASSERT_EQ(table.RecordCount(), static_cast<long>(expected.size())) << name;
            long record = 0;
            for (table.First(); !table.Eof(); table.Next(), ++record) {
                const auto& row = expected.at(record);
                ASSERT_EQ(row.size(), table.FieldNames().size());
                for (int i = 0; i < static_cast<int>(row.size()); ++i) {
                    const std::string value = table.FieldText(i);
                    const AccessFieldType type = table.FieldType(i);
                    if (type != AccessFieldType::Float) {
                        EXPECT_EQ(value, type == AccessFieldType::Other ? "" : row[i])
                            << name << " record " << record + 1;
                        continue;
                    }
                    EXPECT_NEAR(std::strtod(value.c_str(), nullptr),
                                std::strtod(row[i].c_str(), nullptr), 1e-6);
                    EXPECT_LE(value.size(), 21u) << value;
                    sawSingle = sawSingle || value == "0.150000005960464";
                }
            }
            EXPECT_EQ(record, table.RecordCount());
        }
    }
    EXPECT_TRUE(sawSingle);
}

TEST(AccessRead, CursorAndViewerMoveBothWaysAndStopAtTheEnd) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const AccessRows rows = ExportAccessTable(path, "Shippers");
    AccessTable table;
    OpenTable(table, path, "Shippers");
    ASSERT_EQ(table.RecordCount(), 3);
    // Next past the last record, and once more; Prior then goes back from the last record.
    for (int i = 0; i < 4; ++i) table.Next();
    EXPECT_TRUE(table.Eof());
    table.Prior();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.RecNo(), 2);
    EXPECT_EQ(table.FieldPosition("phone"), 2);
    EXPECT_THROW(table.setTableName("Orders"), MarrowbyError);

    auto list = OpenAccessMailingList(table, path.string(), "Shippers", nullptr);
    ASSERT_NE(list, nullptr);
    for (int pass = 1; pass <= 3; ++pass) {
        EXPECT_EQ(list->identificationRecord(pass), rows.at(pass - 1)) << pass;
        EXPECT_EQ(table.RecNo(), 1) << "identification moved the run's cursor";
    }
    for (const long n : {1L, 2L, 3L, 2L, 1L, 3L, 3L}) {
        EXPECT_EQ(list->viewerRecord(n), rows.at(n - 1)) << n;
        EXPECT_EQ(table.RecNo(), n);
    }
    table.setActive(false);
    table.setActive(false);
    EXPECT_FALSE(table.Active());
}

TEST(AccessRead, ChoosesTheTable) {
    for (const auto& r : GoldenRows("mdb/tables.tsv", '\t')) {
        SCOPED_TRACE("row " + r.at(0));
        ACCESS_DATABASE(path, folder, r.at(1));
        AccessTable taTable1;
        int shown = 0;
        auto list = OpenAccessMailingList(
            taTable1, path.string(), r.at(2),
            [&](const std::string& database, const std::vector<std::string>& tables) {
                ++shown;
                EXPECT_EQ(database, path.string());
                EXPECT_GT(tables.size(), 1u);
                EXPECT_EQ(taTable1.DatabaseName(), path.string());
                return r.at(3);
            });
        EXPECT_EQ(shown, r[3] == "-" ? 0 : 1);
        if (r.at(4) == "-") {
            EXPECT_EQ(list, nullptr);
            EXPECT_FALSE(taTable1.Active());
            continue;
        }
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(taTable1.TableName(), r[4]);
        EXPECT_EQ(list->recordCount(), static_cast<long>(ExportAccessTable(path, r[4]).size()));
    }
}

TEST(AccessRead, RefusesFilesThatAreNotDatabases) {
    ACCESS_DATABASE(nwind, folder, "nwind.mdb");
    const std::string whole = ReadBytes(nwind);
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"empty.mdb", ""},
        {"header-only.mdb", whole.substr(0, 2048)},
        {"zeros.mdb", std::string(8192, '\0')},
        // Cut off inside a page: libmdb would read the catalog for ever.
        {"cut.mdb", whole.substr(0, 1529393)},
    };
    for (const auto& file : files) {
        const auto path = folder.write(file.name, file.bytes);
        AccessTable table;
        EXPECT_THROW(OpenAccessMailingList(table, path.string(), "", nullptr), MarrowbyError)
            << file.name;
        EXPECT_THROW(OpenTable(table, path, "Customers"), MarrowbyError) << file.name;
        EXPECT_FALSE(table.Active());
    }
    std::vector<std::string> list;
    EXPECT_THROW(AccessTable::GetTableNames((folder.path() / "missing.mdb").string(), list),
                 MarrowbyError);
    AccessTable table;
    EXPECT_THROW(OpenTable(table, nwind, "No Such Table"), MarrowbyError);
}

// The first three customers have no region, so the vote of three offers Region for the
// barcodes; later customers have one, and no field of the table is empty throughout.
TEST(AccessRead, NoBarcodeFieldIsProposedWhereEveryFieldHoldsData) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    AccessTable taTable1;
    auto list = OpenAccessMailingList(taTable1, path.string(), "Customers", nullptr);
    ASSERT_NE(list, nullptr);
    FieldRoles roles;
    IdentifyByNames(list->fieldNames(), roles);
    IdentifyByContents(*list, roles);
    EXPECT_EQ(roles.barcode, taTable1.FieldPosition("Region"));
    EXPECT_EQ(list->textFieldsHoldingOnly([](std::string_view value) { return value.empty(); }),
              std::vector<bool>(11, false));
    KeepBarcodesOffData(*list, true, "/", roles);
    EXPECT_EQ(roles.barcode, -1);
    EXPECT_EQ(taTable1.RecNo(), 1);
}

}  // namespace

}  // namespace marrowby

// The table layer reads what mdb-export reads, moves both ways and refuses files that are
// not databases.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "AccessTestFiles.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/AccessTable.h"

namespace {

struct TableCase {
    const char* file;
    const char* table;
};

void OpenTable(AccessTable& table, const std::filesystem::path& path, const std::string& name) {
    table.setDatabaseName(path.string());
    table.setTableName(name);
    table.setActive(true);
}

TEST(AccessTable, ListsOnlyTheUserTables) {
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
    TempFolder folder;
    for (const Case& c : cases) {
        ACCESS_DATABASE_OR_SKIP(path, folder, c.file);
        std::vector<std::string> list{"left over"};
        AccessTable::GetTableNames(path.string(), list);
        EXPECT_EQ(list, c.tables) << c.file;
    }
}

TEST(AccessTable, RefusesFilesThatAreNotDatabases) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(nwind, folder, "nwind.mdb");
    const std::string whole = AccessFileBytes(nwind);
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"empty.mdb", ""},
        {"text.mdb", "Name,Address,Zip\r\nSmith,12 Oak St,77001\r\n"},
        {"header-only.mdb", whole.substr(0, 2048)},
        {"zeros.mdb", std::string(8192, '\0')},
        // Cut off inside a page: libmdb would read the catalog for ever.
        {"cut.mdb", whole.substr(0, 1529393)},
    };
    for (const auto& file : files) {
        const auto path = folder.write(file.name, file.bytes);
        std::vector<std::string> list;
        EXPECT_THROW(AccessTable::GetTableNames(path.string(), list), MarrowbyError) << file.name;
        AccessTable table;
        EXPECT_THROW(OpenTable(table, path, "Customers"), MarrowbyError) << file.name;
        EXPECT_FALSE(table.Active());
    }
    std::vector<std::string> list;
    EXPECT_THROW(AccessTable::GetTableNames((folder.path() / "missing.mdb").string(), list),
                 MarrowbyError);
    AccessTable table;
    EXPECT_THROW(OpenTable(table, nwind, "No Such Table"), MarrowbyError);
}

// Text and integer fields read as mdb-export prints them, floating point with 15 significant
// digits, every other type as empty text.
TEST(AccessTable, ReadsEveryRecordAsMdbExportDoes) {
    const TableCase cases[] = {
        {"nwind.mdb", "Customers"},           {"nwind.mdb", "Order Details"},
        {"nwind.mdb", "Employees"},           {"nwind.mdb", "Umsätze"},
        {"DateTestDatabase.mdb", "DateTest"}, {"ASampleDatabase.accdb", "Asset Items"},
    };
    TempFolder folder;
    for (const TableCase& c : cases) {
        ACCESS_DATABASE_OR_SKIP(path, folder, c.file);
        const AccessRows expected = ExportAccessTable(path, c.table);
        AccessTable table;
        OpenTable(table, path, c.table);
        ASSERT_EQ(table.RecordCount(), static_cast<long>(expected.size())) << c.table;
        long record = 0;
        for (table.First(); !table.Eof(); table.Next(), ++record) {
            const auto& row = expected.at(record);
            ASSERT_EQ(row.size(), table.FieldNames().size());
            for (size_t i = 0; i < row.size(); ++i) {
                const std::string value = table.FieldText(static_cast<int>(i));
                switch (table.FieldType(static_cast<int>(i))) {
                    case AccessFieldType::Text:
                    case AccessFieldType::Integer32:
                    case AccessFieldType::Integer64:
                        EXPECT_EQ(value, row[i]) << c.table << " record " << record + 1;
                        break;
                    case AccessFieldType::Float:
                        EXPECT_NEAR(std::strtod(value.c_str(), nullptr),
                                    std::strtod(row[i].c_str(), nullptr), 1e-6);
                        EXPECT_LE(value.size(), 21u) << value;
                        break;
                    case AccessFieldType::Other:
                        EXPECT_EQ(value, "");
                        break;
                }
            }
        }
        EXPECT_EQ(record, table.RecordCount());
    }
}

TEST(AccessTable, CursorMovesBothWaysAndStopsAtTheEnd) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    AccessTable table;
    OpenTable(table, path, "Shippers");
    ASSERT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(table.FieldText(1), "Speedy Express");
    table.Next();
    table.Next();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.FieldText(1), "Federal Shipping");
    table.Next();
    EXPECT_TRUE(table.Eof());
    table.Next();
    EXPECT_TRUE(table.Eof());
    table.Prior();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.RecNo(), 2);
    EXPECT_EQ(table.FieldText(1), "United Package");
    table.Prior();
    table.Prior();
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(table.FieldText(0), "1");
    EXPECT_EQ(table.FieldNames(), (std::vector<std::string>{"ShipperID", "CompanyName", "Phone"}));
    EXPECT_EQ(table.FieldType(0), AccessFieldType::Integer32);
    EXPECT_EQ(table.FieldSize(2), 24);
    EXPECT_TRUE(table.FieldIndexed(0));
    EXPECT_FALSE(table.FieldIndexed(2));
    EXPECT_EQ(table.FieldPosition("phone"), 2);
    EXPECT_THROW(table.setTableName("Orders"), MarrowbyError);
    table.setActive(false);
    table.setActive(false);
    EXPECT_FALSE(table.Active());
}

}  // namespace

// Choosing the table of a database, and the values that identification and the record
// viewer see of an Access table.
#include <gtest/gtest.h>

#include "AccessTestFiles.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/AccessMailingList.h"

namespace {

// The only table is taken; a command-line name is matched in any letter case; otherwise the
// selector decides, and cancelling it gives no list.
TEST(AccessMailingList, ChoosesTheTable) {
    struct Case {
        const char* file;
        const char* argument;
        const char* selectorAnswer;  // nullptr: the selector must not be shown
        const char* table;           // nullptr: no list
    };
    const Case cases[] = {
        {"DateTestDatabase.mdb", "", nullptr, "DateTest"},
        {"DateTestDatabase.mdb", "Customers", nullptr, "DateTest"},
        {"nwind.mdb", "cUSTOMERS", nullptr, "Customers"},
        {"nwind.mdb", "UMSÄTZE", nullptr, "Umsätze"},
        {"nwind.mdb", "No Such Table", "Orders", "Orders"},
        {"nwind.mdb", "", "Shippers", "Shippers"},
        {"nwind.mdb", "", "", nullptr},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ACCESS_DATABASE_OR_SKIP(path, folder, c.file);
        AccessTable taTable1;
        int shown = 0;
        auto list = OpenAccessMailingList(taTable1, path.string(), c.argument,
                                          [&](const std::string& database) {
                                              ++shown;
                                              EXPECT_EQ(database, path.string());
                                              EXPECT_EQ(taTable1.DatabaseName(), path.string());
                                              EXPECT_EQ(taTable1.TableName(), "");
                                              return std::string(c.selectorAnswer);
                                          });
        EXPECT_EQ(shown, c.selectorAnswer == nullptr ? 0 : 1) << c.file << " " << c.argument;
        if (c.table == nullptr) {
            EXPECT_EQ(list, nullptr);
            EXPECT_FALSE(taTable1.Active());
            continue;
        }
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(taTable1.TableName(), c.table);
        EXPECT_TRUE(taTable1.Active());
        EXPECT_EQ(list->kind(), "Access");
        EXPECT_EQ(list->fileName(), path.string());
        EXPECT_EQ(list->recordCount(), static_cast<long>(ExportAccessTable(path, c.table).size()));
    }
}

TEST(AccessMailingList, UnreadableDatabaseThrows) {
    TempFolder folder;
    const auto path = folder.write("list.mdb", "not a database");
    AccessTable taTable1;
    EXPECT_THROW(OpenAccessMailingList(taTable1, path.string(), "", nullptr), MarrowbyError);
}

TEST(AccessMailingList, IdentificationAndViewerReadRecordsByPosition) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    const AccessRows rows = ExportAccessTable(path, "Shippers");
    AccessTable taTable1;
    auto list = OpenAccessMailingList(taTable1, path.string(), "Shippers", nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->fieldCount(), 3);
    EXPECT_EQ(list->fieldNames(), (std::vector<std::string>{"ShipperID", "CompanyName", "Phone"}));
    EXPECT_EQ(list->viewerFieldNames(), list->fieldNames());
    EXPECT_EQ(list->fieldWidth(1), -1);

    for (int pass = 1; pass <= 3; ++pass) {
        EXPECT_EQ(list->identificationRecord(pass), rows.at(pass - 1)) << pass;
    }
    for (const long n : {1L, 2L, 3L, 2L, 1L, 3L, 3L}) {
        EXPECT_EQ(list->viewerRecord(n), rows.at(n - 1)) << n;
        EXPECT_EQ(taTable1.RecNo(), n);
    }
}

// Floating-point values are shown with 15 significant digits; a single-precision 0.15 keeps
// the digits its binary form has.
TEST(AccessMailingList, FloatingPointFieldsReadInGeneralForm) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    AccessTable taTable1;
    auto list = OpenAccessMailingList(taTable1, path.string(), "Order Details", nullptr);
    const int discount = taTable1.FieldPosition("Discount");
    ASSERT_EQ(taTable1.FieldType(discount), AccessFieldType::Float);
    bool seen = false;
    for (long n = 1; n <= list->recordCount() && !seen; ++n) {
        const std::string value = list->viewerRecord(n).at(discount);
        if (value == "0") continue;
        EXPECT_EQ(value, "0.150000005960464");
        seen = true;
    }
    EXPECT_TRUE(seen);
}

}  // namespace

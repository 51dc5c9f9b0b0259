// The batch run over Access tables: barcodes computed from the table's own fields land in
// the barcode field, and a failure mid-run leaves the database as it was.
#include <gtest/gtest.h>

#include "AccessTestFiles.h"
#include "RoadTestSupport.h"
#include "mailinglist/AccessMailingList.h"
#include "mailinglist/BatchRun.h"

namespace {

RunPlan PlanFor(const MailingList& list, const FieldRoles& roles) {
    RunPlan plan;
    plan.listFileName = list.fileName();
    plan.recordCount = list.recordCount();
    plan.fieldCount = list.fieldCount();
    plan.roles = roles;
    return plan;
}

// Employees keep a 5-digit PostalCode and a 4-digit Extension: taken as ZIP and +4, the
// records in the United States get barcodes from their addresses; the others get none.
TEST(AccessRun, BarcodesFromTheTableLandInItsBarcodeField) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    const AccessRows before = ExportAccessTable(path, "Employees");
    RoadFixture road;
    AccessTable taTable1;
    auto list = OpenAccessMailingList(taTable1, path.string(), "Employees", nullptr);
    const FieldRoles roles{.address = taTable1.FieldPosition("Address"),
                           .zip5 = taTable1.FieldPosition("PostalCode"),
                           .zip4 = taTable1.FieldPosition("Extension"),
                           .barcode = taTable1.FieldPosition("HomePhone")};

    ASSERT_TRUE(AddBarcodes(*list, PlanFor(*list, roles), road.context, false));
    EXPECT_EQ(road.messageTexts(),
              std::vector<std::string>{"Barcodes have been added to nwind.mdb."});
    EXPECT_FALSE(taTable1.Active());

    const AccessRows after = ExportAccessTable(path, "Employees");
    ASSERT_EQ(after.size(), before.size());
    int coded = 0;
    for (size_t r = 0; r < before.size(); ++r) {
        FieldList fields = before[r];
        std::vector<std::string> expected = before[r];
        expected[roles.barcode] = RecordBarcode(fields, roles, road.engine);
        coded += !expected[roles.barcode].empty();
        EXPECT_EQ(after[r], expected) << "record " << r + 1;
    }
    EXPECT_GE(coded, 4);
    EXPECT_EQ(AccessFolderListing(folder.path()), std::vector<std::string>{"nwind.mdb"});
}

// A frame bar of seven characters makes barcodes of 26, too long for HomePhone (24): the run
// stops with the reason and the database is put back.
TEST(AccessRun, FailureIsReportedAndTheDatabaseRestored) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    const std::string original = AccessFileBytes(path);
    RoadFixture road;
    road.preferences[3] = "[[[[[[[";
    AccessTable taTable1;
    auto list = OpenAccessMailingList(taTable1, path.string(), "Employees", nullptr);
    const FieldRoles roles{.address = taTable1.FieldPosition("Address"),
                           .zip5 = taTable1.FieldPosition("PostalCode"),
                           .zip4 = taTable1.FieldPosition("Extension"),
                           .barcode = taTable1.FieldPosition("HomePhone")};

    EXPECT_FALSE(AddBarcodes(*list, PlanFor(*list, roles), road.context, false));
    ASSERT_EQ(road.prompter.messages.size(), 1u);
    const std::string& text = road.prompter.messages[0].text;
    EXPECT_EQ(road.prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(text.find("is longer than the field HomePhone (24 characters). The database was "
                        "left as it was before the run."),
              std::string::npos)
        << text;
    EXPECT_TRUE(AccessFileBytes(path) == original);
    EXPECT_EQ(AccessFolderListing(folder.path()), std::vector<std::string>{"nwind.mdb"});
}

}  // namespace

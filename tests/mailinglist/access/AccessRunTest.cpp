// The batch run over an Access table: a failure mid-run is reported and leaves the database
// as it was; the next run puts the barcodes computed from the table's fields in its barcode
// field.
#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "mailinglist/access/AccessMailingList.h"
#include "mailinglist/run/BarcodeFieldCheck.h"
#include "mailinglist/run/BatchRun.h"

namespace marrowby {

namespace {

// Employees keep a 5-digit PostalCode and a 4-digit Extension: taken as ZIP and +4 they give
// the records in the United States barcodes, stored in HomePhone (24 characters).
TEST(AccessRun, FailureRestoresTheDatabaseAndTheNextRunStoresTheBarcodes) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const std::string original = ReadBytes(path);
    const AccessRows before = ExportAccessTable(path, "Employees");
    RoadFixture road;
    AccessTable taTable1;
    FieldRoles roles;
    const auto run = [&] {
        road.prompter.messages.clear();
        auto list = OpenAccessMailingList(taTable1, path.string(), "Employees", nullptr);
        roles = {.address = taTable1.FieldPosition("Address"),
                 .zip5 = taTable1.FieldPosition("PostalCode"),
                 .zip4 = taTable1.FieldPosition("Extension"),
                 .barcode = taTable1.FieldPosition("HomePhone")};
        const RunPlan plan{.listFileName = list->fileName(),
                           .recordCount = list->recordCount(),
                           .fieldCount = list->fieldCount(),
                           .roles = roles};
        const bool done = AddBarcodes(*list, plan, road.context, false);
        EXPECT_FALSE(taTable1.Active());
        return done;
    };

    // A frame bar of seven characters makes barcodes of 26, too long for HomePhone.
    road.preferences[3] = "[[[[[[[";
    EXPECT_FALSE(run());
    ASSERT_EQ(road.prompter.messages.size(), 1u);
    const std::string& text = road.prompter.messages[0].text;
    EXPECT_EQ(road.prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(text.find("is longer than the field HomePhone (24 characters). The database was "
                        "left as it was before the run."),
              std::string::npos)
        << text;
    EXPECT_TRUE(ReadBytes(path) == original);
    EXPECT_EQ(FolderNames(folder.path()), std::vector<std::string>{"nwind.mdb"});

    road.preferences[3] = "/";
    ASSERT_TRUE(run());
    EXPECT_EQ(road.messageTexts(),
              std::vector<std::string>{"Barcodes have been added to nwind.mdb."});
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
    EXPECT_EQ(FolderNames(folder.path()), std::vector<std::string>{"nwind.mdb"});

    // Barcodes and blanks are all HomePhone holds now: it may take the barcodes again.
    auto list = OpenAccessMailingList(taTable1, path.string(), "Employees", nullptr);
    const std::vector<bool> free = list->textFieldsHoldingOnly(
        [&](std::string_view value) { return value.empty() || IsBarcodeText(value, "/"); });
    EXPECT_TRUE(free.at(roles.barcode));
    EXPECT_FALSE(free.at(roles.address));
}

// The whole road over a database of several tables: the selector is handed the tables and its
// answer is the table read; Cancel in it, or in the identification dialog, changes nothing.
TEST(AccessRun, TheSelectorPicksTheTableTheRoadReads) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const std::string original = ReadBytes(path);
    RoadFixture road;
    std::vector<std::string> offered;
    std::string answer = "Customers";
    road.context.chooseTable = [&](const std::string& database,
                                   const std::vector<std::string>& tables) {
        EXPECT_EQ(database, path.string());
        offered = tables;
        return answer;
    };
    EXPECT_EQ(road.run({path.string()}, {{{}, false}}), 0);
    EXPECT_EQ(offered.size(), 9u);
    ASSERT_EQ(road.identifier.shown.size(), 1u);
    EXPECT_EQ(road.identifier.shown[0].address, 4) << "Customers' Address field";

    answer.clear();
    road.run({path.string()});
    EXPECT_TRUE(road.identifier.shown.empty());
    EXPECT_TRUE(road.prompter.messages.empty());
    EXPECT_TRUE(ReadBytes(path) == original);
}

// DateTest has a 255-character text column: a copy of the table is given nine-digit ZIPs
// in it through the table layer, then the run puts each record's barcode in the same field,
// with the record's ID as its delivery point.
TEST(AccessRun, IntelligentMailLongTextFieldGetsTheLettersAndAShortOneIsRefused) {
    RoadFixture road;
    road.useMailer("1 123456 41");
    AccessTable taTable1;

    ACCESS_DATABASE(nwind, nwindFolder, "nwind.mdb");
    const std::string original = ReadBytes(nwind);
    auto employees = OpenAccessMailingList(taTable1, nwind.string(), "Employees", nullptr);
    const FieldRoles phone{.address = taTable1.FieldPosition("Address"),
                           .zip5 = taTable1.FieldPosition("PostalCode"),
                           .zip4 = taTable1.FieldPosition("Extension"),
                           .barcode = taTable1.FieldPosition("HomePhone")};
    EXPECT_FALSE(AddBarcodes(
        *employees, {nwind.string(), employees->recordCount(), employees->fieldCount(), phone},
        road.context, true));
    EXPECT_EQ(road.messageTexts(),
              std::vector<std::string>{
                  "The field HomePhone that you chose for barcodes holds 24 characters, too "
                  "few for an Intelligent Mail barcode: it must be able to hold at least 65 "
                  "characters. Nothing has been changed."});
    taTable1.setActive(false);
    EXPECT_TRUE(ReadBytes(nwind) == original);
    EXPECT_EQ(road.mailer(), MailerFile("1 123456 41"));

    ACCESS_DATABASE(dates, datesFolder, "DateTestDatabase.mdb");
    taTable1.setDatabaseName(dates.string());
    taTable1.setTableName("DateTest");
    taTable1.setActive(true);
    const int text = taTable1.FieldPosition("ShortTextCol");
    for (taTable1.First(); !taTable1.Eof(); taTable1.Next()) {
        taTable1.Edit();
        taTable1.SetFieldByName("ShortTextCol", "123456789");
    }
    taTable1.setActive(false);
    road.prompter.messages.clear();
    auto list = OpenAccessMailingList(taTable1, dates.string(), "DateTest", nullptr);
    const FieldRoles roles{
        .zip9 = text, .barcode = text, .deliveryPoint = taTable1.FieldPosition("IDCol")};
    // Attended: an unattended run would not write over the ZIPs in the barcode field.
    ASSERT_TRUE(AddBarcodes(*list, {dates.string(), list->recordCount(), list->fieldCount(), roles},
                            road.context, false))
        << testing::PrintToString(road.messageTexts());
    const AccessRows rows = ExportAccessTable(dates, "DateTest");
    ASSERT_EQ(rows.size(), 6u);
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string id = rows[r][0];
        EXPECT_EQ(rows[r][text], Bars(41 + r, "123456789" + std::string(2 - id.size(), '0') + id))
            << "record " << r + 1;
    }
    EXPECT_EQ(road.mailer(), MailerFile("1 123456 47"));
}

}  // namespace

}  // namespace marrowby

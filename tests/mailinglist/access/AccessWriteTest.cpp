// Barcodes stored into Access tables, by the run's source and by whole runs: every other value
// reads back unchanged through mdb-export, and refusals and failures change nothing.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "ListTestSupport.h"
#include "mailinglist/access/AccessDatabaseFile.h"
#include "mailinglist/run/BarcodeFieldCheck.h"
#include "mailinglist/run/BatchRun.h"

namespace marrowby {

namespace {

// Record n's barcode in these tests; every fourth record is left uncoded.
std::string BarcodeFor(long n) {
    if (n % 4 == 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "/%012ld/", 770010000000L + n);
    return text;
}

// Stored barcodes are written again without a change.
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

// A ZIP kept as a long integer loses its leading zero: 02134 reads as 2134.
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
        return AddBarcodes(*list, plan, road.context, false);
    };

    // Intelligent Mail letters need 65 characters.
    road.useMailer("1 123456 41");
    EXPECT_FALSE(run());
    EXPECT_EQ(road.messageTexts(),
              std::vector<std::string>{
                  "The field HomePhone that you chose for barcodes holds 24 characters, too "
                  "few for an Intelligent Mail barcode: it must be able to hold at least 65 "
                  "characters. Nothing has been changed."});
    EXPECT_EQ(road.mailer(), MailerFile("1 123456 41"));
    taTable1.setActive(false);
    EXPECT_TRUE(ReadBytes(path) == original);
    road.useMailer("-");
    // A frame bar of seven characters makes barcodes of 26, too long for HomePhone.
    road.preferences[3] = "[[[[[[[";
    EXPECT_FALSE(run());
    EXPECT_FALSE(taTable1.Active());
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
    EXPECT_FALSE(taTable1.Active());
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

// Cancel in the selector, or in the identification dialog, changes nothing.
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

// DateTest's 255-character text column is given nine-digit ZIPs, then their barcodes, with
// the record's ID as delivery point.
TEST(AccessRun, IntelligentMailLettersGoIntoALongTextField) {
    RoadFixture road;
    road.useMailer("1 123456 41");
    AccessTable taTable1;

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

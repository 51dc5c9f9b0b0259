// Opening dBase tables: counts, names, widths, the records identification and the viewer
// see, and the refusal of tables that cannot be read safely.
#include <gtest/gtest.h>

#include <filesystem>

#include "DbaseTestFiles.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/DbaseMailingList.h"

namespace {

const std::vector<DbfColumn> kColumns = {
    {"NAME", 20}, {"ADDR1", 30}, {"ZIP", 10}, {"DP", 2}, {"BARCODE", 20}};
const DbfRows kRows = {{"Smith", "12 oak st", "77001-1234", "5", ""},
                       {"Jones", "PO Box 7", "770011234", "", "old"}};

std::string Padded(const std::string& text, std::size_t width) {
    std::string padded = text;
    padded.resize(width, ' ');
    return padded;
}

// Runs open and expects the reason it gives for refusing the table.
std::string RefusalOf(const std::string& path) {
    FakePrompter prompter;
    try {
        OpenDbaseMailingList(path, prompter);
    } catch (const MarrowbyError& error) {
        EXPECT_TRUE(prompter.messages.empty());
        return error.what();
    }
    return "(opened)";
}

TEST(DbaseMailingList, TableWrittenByAnotherProgramOpensWithItsCountsNamesAndWidths) {
    if (!ShapelibAvailable()) GTEST_SKIP() << "dbfcreate/dbfadd/dbfdump are not installed";
    TempFolder folder;
    const auto table = CreateDbf(folder, "clients.dbf", kColumns, kRows);
    PatchFile(table, RecordOffset(kColumns, 1), "*");

    FakePrompter prompter;
    auto list = OpenDbaseMailingList(table.string(), prompter);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->kind(), "dBase");
    EXPECT_EQ(list->fileName(), table.string());
    EXPECT_EQ(list->recordCount(), 2);
    EXPECT_EQ(list->fieldCount(), 5);
    EXPECT_EQ(list->fieldNames(),
              (std::vector<std::string>{"NAME", "ADDR1", "ZIP", "DP", "BARCODE"}));
    EXPECT_EQ(list->viewerFieldNames(), list->fieldNames());
    EXPECT_EQ(list->fieldWidth(0), 20);
    EXPECT_EQ(list->fieldWidth(4), 20);
    EXPECT_EQ(list->fieldWidth(5), -1);

    const FieldList first = {Padded("Smith", 20), Padded("12 oak st", 30), "77001-1234",
                             Padded("5", 2), Padded("", 20)};
    for (int pass = 1; pass <= 3; ++pass) EXPECT_EQ(list->identificationRecord(pass), first);
    EXPECT_EQ(list->viewerRecord(1), first);
    // A deleted record is shown as stored, like any other.
    EXPECT_EQ(list->viewerRecord(2), (FieldList{Padded("Jones", 20), Padded("PO Box 7", 30),
                                                Padded("770011234", 10), "  ", Padded("old", 20)}));
    EXPECT_THROW(list->viewerRecord(3), MarrowbyError);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(DbaseMailingList, NamesLoseTrailingSpacesAndNulsButTheViewerShowsThemUpToTheFirstNul) {
    TempFolder folder;
    const std::vector<DbfColumn> columns = {
        {"ZIP CODE  ", 10}, {std::string("DP\0old", 6), 2}, {"ADDRESS", 30}};
    const auto table = folder.write("names.dbf", DbaseBytes(columns, {}));
    FakePrompter prompter;
    auto list = OpenDbaseMailingList(table.string(), prompter);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->fieldNames(), (std::vector<std::string>{"ZIP CODE", "DP", "ADDRESS"}));
    EXPECT_EQ(list->viewerFieldNames(), (std::vector<std::string>{"ZIP CODE  ", "DP", "ADDRESS"}));
    EXPECT_EQ(list->recordCount(), 0);
    EXPECT_EQ(list->identificationRecord(1), FieldList(3));
}

TEST(DbaseMailingList, RecordsLongerThanTenThousandBytesAreRefusedWithTheSorryBox) {
    TempFolder folder;
    struct Case {
        int lastWidth;  // 39 fields of 250 bytes, the flag byte and this field
        bool opens;
    };
    for (const Case& c : {Case{249, true}, Case{250, false}}) {
        std::vector<DbfColumn> columns(39, DbfColumn{"F", 250});
        columns.push_back({"LAST", c.lastWidth});
        const auto table = folder.write("wide.dbf", DbaseBytes(columns, {{"x"}}));
        FakePrompter prompter;
        prompter.busy = true;
        auto list = OpenDbaseMailingList(table.string(), prompter);
        EXPECT_EQ(list != nullptr, c.opens) << c.lastWidth;
        if (c.opens) {
            EXPECT_TRUE(prompter.messages.empty());
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1u);
        const RecordedMessage& box = prompter.messages[0];
        EXPECT_EQ(box.text,
                  "Sorry, but the records in this file have too many characters for Marrowby "
                  "to handle.");
        EXPECT_EQ(box.icon, MessageIcon::Error);
        EXPECT_EQ(box.beep, MessageBeep::None);
        EXPECT_EQ(box.button, MessageButton::Cancel);
        EXPECT_FALSE(prompter.busy);
    }
}

TEST(DbaseMailingList, MalformedTablesAreRefusedWithTheirReasonAndLeftAsTheyWere) {
    const std::vector<DbfColumn> columns = {{"ADDR1", 30}, {"ZIP", 10}};
    const std::string good = DbaseBytes(columns, {{"1 Elm", "770011234"}, {"2 Elm", "77002"}});
    auto withHeaderLength = [&](int headerLength) {
        std::string bytes = good;
        bytes[8] = char(headerLength & 0xFF);
        bytes[9] = char(headerLength >> 8);
        return bytes;
    };
    std::string longerRecord = good;
    longerRecord[10] = char(good[10] + 1);
    const std::vector<DbfColumn> tooMany(101, DbfColumn{"F", 1});
    const std::vector<DbfColumn> mostAllowed(100, DbfColumn{"F", 1});

    struct Case {
        std::string name;
        std::string bytes;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"empty file", "", "The file is too short to be a dBase table."},
        {"header cut short", good.substr(0, 20), "The file is too short to be a dBase table."},
        {"descriptors cut short", good.substr(0, 50),
         "The file is shorter than its header claims."},
        {"records missing", good.substr(0, good.size() - 20),
         "The file is shorter than its header claims: it should hold 2 records."},
        {"header length counts a third field", withHeaderLength(32 * 4 + 1),
         "Its header length of 129 bytes does not match its 2 field descriptors."},
        {"header length without fields", withHeaderLength(33),
         "Its header length of 33 bytes leaves no room for field descriptors."},
        {"record length disagrees with the widths", longerRecord,
         "Its record length of 42 bytes does not match its fields, which take 41 bytes."},
        {"101 fields", DbaseBytes(tooMany, {{"x"}}),
         "It has 101 fields; at most 100 can be handled."},
        {"100 fields", DbaseBytes(mostAllowed, {{"x"}}), "(opened)"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const auto table = folder.write("list.dbf", c.bytes);
        EXPECT_EQ(RefusalOf(table.string()), c.reason) << c.name;
        EXPECT_EQ(folder.read("list.dbf"), c.bytes) << c.name;
    }
    EXPECT_EQ(RefusalOf((folder.path() / "missing.dbf").string()), "No such file or directory.");
    std::filesystem::create_directory(folder.path() / "folder.dbf");
    EXPECT_EQ(RefusalOf((folder.path() / "folder.dbf").string()), "It is not a file.");
}

TEST(DbaseMailingList, MemoFileStandsForTheTableOfTheSameNameBesideIt) {
    const std::string table = DbaseBytes({{"ZIP", 10}}, {{"770011234"}});
    struct Case {
        std::string memo;
        std::vector<std::string> others;
        std::string opened;  // empty: refused
    };
    const std::vector<Case> cases = {
        {"LIST.DBT", {"LIST.DBF", "OTHER.DBF"}, "LIST.DBF"},
        {"list.dbt", {"list.DBF"}, "list.DBF"},
        {"List.Dbt", {"List.dbf", "list.dbf"}, "List.dbf"},
        {"list.dbt", {"other.dbf", "list.dbf.bak"}, ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto memo = folder.write(c.memo, "memo text, not a table");
        for (const std::string& other : c.others) folder.write(other, table);
        FakePrompter prompter;
        if (c.opened.empty()) {
            EXPECT_EQ(RefusalOf(memo.string()),
                      "It holds the memos of a table, and the table file list.dbf is not beside "
                      "it.");
        } else {
            auto list = OpenDbaseMailingList(memo.string(), prompter);
            ASSERT_NE(list, nullptr) << c.memo;
            EXPECT_EQ(list->fileName(), (folder.path() / c.opened).string());
            EXPECT_EQ(list->recordCount(), 1);
        }
        EXPECT_EQ(folder.read(c.memo), "memo text, not a table");
    }
}

}  // namespace

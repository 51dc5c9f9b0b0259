// The roles of a list's fields: found, checked, kept off data, and what they give the engine.
#include <gtest/gtest.h>

#include <algorithm>

#include "ListTestSupport.h"
#include "TempFolder.h"
#include "engine/BarcodeEngine.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/dbase/DbaseMailingList.h"
#include "mailinglist/run/AddBarcodesToFile.h"
#include "mailinglist/run/BarcodeFieldCheck.h"
#include "mailinglist/run/BatchRun.h"
#include "mailinglist/run/FieldIdentification.h"
#include "mailinglist/text/TextMailingList.h"

namespace marrowby {

TEST(FieldRoles, GoldenCases) {
    const auto rows = GoldenRows("run/roles.tsv", '\t');
    ASSERT_GE(rows.size(), 60u);
    const RoadFixture road;
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(1) + " " + r.at(2));
        FieldList fields;
        for (const std::string& field : SplitField(r.at(2), '|'))
            fields.push_back(Unescaped(field));
        const FieldRoles with = RolesFrom(r.at(3));
        const std::string& expected = r.at(4);
        FieldRoles found;
        if (r[1] == "vote") {
            EXPECT_EQ(VoteOfThree(std::stoi(fields[0]), std::stoi(fields[1]), std::stoi(fields[2])),
                      std::stoi(expected));
        } else if (r[1] == "names") {
            IdentifyByNames(fields, found);
            EXPECT_EQ(found, RolesFrom(expected));
        } else if (r[1] == "contents") {
            EXPECT_EQ(ContentCandidates(fields, int(fields.size())), RolesFrom(expected));
        } else if (r[1] == "zip") {
            EXPECT_EQ(RecordZip(fields, with) + "|" + RecordDeliveryPoint(fields, with), expected);
        } else if (r[1] == "barcode") {
            EXPECT_EQ(RecordBarcode(fields, with, road.engine), expected);
        } else if (r[1] == "check" || r[1] == "identify") {
            const std::string file = (TestDataFolder() / r[2]).string();
            FakePrompter prompter;
            const std::unique_ptr<MailingList> list =
                file.ends_with(".dbf")
                    ? OpenDbaseMailingList(file, prompter)
                    : std::make_unique<TextMailingList>(file, std::string(kAsciiTab), 1, 5);
            ASSERT_NE(list, nullptr);
            if (r[1] == "identify") {
                IdentifyByContents(*list, found);
                EXPECT_EQ(found, RolesFrom(expected));
            } else {
                EXPECT_EQ(CheckRoles(with, !r[3].ends_with("only"), *list).value_or(""), expected);
            }
        } else if (r[1] == "kind") {
            EXPECT_EQ(KindFromExtension(r[2]), expected);
        } else if (r[1] == "barcode-text") {
            EXPECT_EQ(IsBarcodeText(Unescaped(r[2]), r[3]), expected == "1");
        } else {
            ASSERT_EQ(r[1], "needs-contents");
            EXPECT_EQ(NeedsContentIdentification(with, !r[3].ends_with("only")), expected == "1");
        }
    }
}

namespace {

struct Column {
    bool text;
    int width;  // -1: no fixed width
    std::vector<std::string> values;
};

// A list that stores barcodes in its own fields, held as columns of values.
class ColumnsList : public MailingList {
  public:
    ColumnsList(std::string kind, std::vector<Column> columns)
        : kind_(std::move(kind)), columns_(std::move(columns)) {}
    std::string kind() const override { return kind_; }
    std::string fileName() const override { return "list"; }
    long recordCount() const override { return 2; }
    int fieldCount() const override { return static_cast<int>(columns_.size()); }
    std::vector<std::string> fieldNames() override { return {}; }
    FieldList identificationRecord(int) override { return {}; }
    int fieldWidth(int position) const override { return columns_.at(position).width; }
    std::vector<std::string> viewerFieldNames() override { return {}; }
    FieldList viewerRecord(long) override { return {}; }
    std::vector<bool> textFieldsHoldingOnly(
        const std::function<bool(std::string_view)>& allowed) override {
        std::vector<bool> free;
        for (const Column& column : columns_) {
            free.push_back(column.text &&
                           std::all_of(column.values.begin(), column.values.end(), allowed));
        }
        return free;
    }
    std::unique_ptr<RecordSource> openSource(const RunPlan&) override { return nullptr; }

  private:
    std::string kind_;
    std::vector<Column> columns_;
};

}  // namespace

TEST(FieldIdentification, BarcodesAreNeverProposedForAFieldThatHoldsData) {
    const std::vector<Column> columns{
        {true, 30, {"12 Oak St", ""}},                              // 0 data
        {true, 13, {"", ""}},                                       // 1 free but too short
        {true, 20, {"", "/770011234057/"}},                         // 2 no check digit: data
        {false, 20, {"", ""}},                                      // 3 not text
        {true, 14, {"/770011234050/   ", std::string("\0\0", 2)}},  // 4 barcode, blank
        {true, -1, {"", "  "}},                                     // 5 free
    };
    const struct {
        const char* what;
        std::string_view kind;
        bool addMode;
        FieldRoles proposed;
        int barcode;  // afterwards
    } cases[] = {
        {"a free field stays", kDbase, true, {.address = 0, .barcode = 5}, 5},
        {"data: the first free field wide enough", kDbase, true, {.address = 0, .barcode = 2}, 4},
        {"none proposed: one is found", kAccess, true, {.address = 0}, 4},
        {"free fields taken by other roles", kAccess, true, {.zip9 = 4, .deliveryPoint = 5}, -1},
        {"out of range", kDbase, true, {.barcode = 7}, 4},
        {"barcodes only: left alone", kDbase, false, {.barcode = 2}, 2},
        {"a text list adds its own field", kAsciiTab, true, {.barcode = 2}, 2},
    };
    for (const auto& c : cases) {
        ColumnsList list(std::string(c.kind), columns);
        FieldRoles roles = c.proposed;
        KeepBarcodesOffData(list, c.addMode, "/", roles);
        FieldRoles expected = c.proposed;
        expected.barcode = c.barcode;
        EXPECT_EQ(roles, expected) << c.what;
    }
}

}  // namespace marrowby

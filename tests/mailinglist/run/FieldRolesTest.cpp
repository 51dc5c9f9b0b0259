// The roles of a list's fields: found, checked, kept off data, and what they give the engine.
#include <gtest/gtest.h>

#include <algorithm>

#include "ListTestSupport.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/dbase/DbaseMailingList.h"
#include "mailinglist/run/AddBarcodesToFile.h"
#include "mailinglist/run/BarcodeFieldCheck.h"
#include "mailinglist/run/BatchRun.h"
#include "mailinglist/run/FieldIdentification.h"
#include "mailinglist/text/TextMailingList.h"

namespace marrowby {

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

const std::vector<Column> kColumns{
    {true, 30, {"12 Oak St", ""}},
    {true, 13, {"", ""}},
    {true, 20, {"", "/770011234057/"}},
    {false, 20, {"", ""}},
    {true, 14, {"/770011234050/   ", std::string("\0\0", 2)}},
    {true, -1, {"", "  "}},
};

}  // namespace

TEST(FieldRoles, GoldenCases) {
    const auto rows = CaseRows("run/roles.tsv");
    ASSERT_GE(rows.size(), 67u);
    const RoadFixture road;
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(1) + " " + r.at(2));
        const FieldList fields = SplitField(r.at(2), '|');
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
        } else if (r[1] == "keep-off") {
            ColumnsList list(r[2], kColumns);
            found = with;
            KeepBarcodesOffData(list, !r[3].ends_with("only"), "/", found);
            FieldRoles kept = with;
            kept.barcode = std::stoi(expected);
            EXPECT_EQ(found, kept);
        } else if (r[1] == "kind") {
            EXPECT_EQ(KindFromExtension(r[2]), expected);
        } else if (r[1] == "barcode-text") {
            EXPECT_EQ(IsBarcodeText(r[2], r[3]), expected == "1");
        } else {
            ASSERT_EQ(r[1], "needs-contents");
            EXPECT_EQ(NeedsContentIdentification(with, !r[3].ends_with("only")), expected == "1");
        }
    }
}

}  // namespace marrowby

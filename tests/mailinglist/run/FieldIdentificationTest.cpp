// Identification of the field roles by names and by contents, and the checks on a choice.
#include "mailinglist/run/FieldIdentification.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/text/TextMailingList.h"

namespace marrowby {

TEST(FieldIdentification, VoteOfThree) {
    const int cases[][4] = {
        {1, 1, 2, 1}, {1, 2, 1, 1}, {2, 1, 1, 1}, {1, 2, 3, -1}, {-1, -1, 3, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(VoteOfThree(c[0], c[1], c[2]), c[3]) << c[0] << c[1] << c[2];
}

TEST(FieldIdentification, ByNames) {
    const struct {
        std::vector<std::string> names;
        FieldRoles roles;
    } cases[] = {
        {{"Name", "Address", "City", "State", "Zip", "Zip4"}, {.address = 1, .zip5 = 4, .zip4 = 5}},
        {{"ZIP", "ZIP+4"}, {.zip9 = 0}},
        {{"ADDR1", "ADDRESS", "USER5", "BARCODE", "DP", "DEL PT"},
         {.address = 1, .barcode = 3, .deliveryPoint = 4}},
        {{"zip code ", "highrise"}, {.highrise = 1}},
        {{"Zip Code", "Delivery Pt."}, {.zip9 = 0, .deliveryPoint = 1}},
    };
    for (const auto& c : cases) {
        FieldRoles roles;
        IdentifyByNames(c.names, roles);
        EXPECT_EQ(roles, c.roles) << c.names[0];
    }
}

TEST(FieldIdentification, ContentCandidatesOfOneRecord) {
    const struct {
        FieldList record;
        FieldRoles candidates;
    } cases[] = {
        {{"Smith", "12 Oak St", "Houston", "TX", "77001-1234"}, {.address = 2, .zip9 = 4}},
        {{"Smith", "", "12 Oak St", "77001", "1234", "07"},
         {.address = 0, .zip5 = 3, .zip4 = 4, .barcode = 1, .deliveryPoint = 5}},
        {{"12 Oak St", "/770011234015/", "770011234"}, {.address = 0, .zip9 = 2, .barcode = 1}},
        {{"12 Oak St", "77001", "1234", "770011234  "}, {.address = 0, .zip9 = 3}},
        {{"   ", "ab"}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContentCandidates(c.record, static_cast<int>(c.record.size())), c.candidates)
            << c.record[0];
    }
}

// Past the end of a one-record list the vote sees blank records; the checks come in order,
// and a text list adds its own barcode field.
TEST(FieldIdentification, OneRecordTextListIsIdentifiedAndChecked) {
    TempFolder folder;
    const std::string path =
        folder.write("one.txt", "Smith\t12 Oak St\tHouston\tTX\t77001-1234\r\n").string();
    TextMailingList list(path, std::string(kAsciiTab), 1, 5);
    FieldRoles roles;
    IdentifyByContents(list, roles);
    EXPECT_EQ(roles, (FieldRoles{.barcode = 0}));

    EXPECT_EQ(
        CheckRoles({.zip5 = 2}, true, list),
        "Marrowby cannot proceed until you tell it which field(s) contains the zip codes. You "
        "can identify either a single field containing 9-digit zip codes, or two fields, one "
        "containing the first 5 digits and the other containing the +4 digits.");
    EXPECT_EQ(CheckRoles({.zip9 = 2}, true, list),
              "Marrowby cannot proceed until you tell it either which field contains the street "
              "address or which field contains the delivery point (or both).");
    EXPECT_EQ(CheckRoles({.zip5 = 1, .zip4 = 2, .deliveryPoint = 0}, true, list), std::nullopt);
    EXPECT_EQ(CheckRoles({.address = 0, .zip9 = 1}, true, list), std::nullopt);
}

TEST(FieldIdentification, ContentsAreExaminedOnlyWhenNamesFallShort) {
    EXPECT_FALSE(
        NeedsContentIdentification({.address = 1, .zip5 = 4, .zip4 = 5, .barcode = 6}, true));
    EXPECT_TRUE(NeedsContentIdentification({.address = 1, .zip5 = 4, .zip4 = 5}, true));
    EXPECT_FALSE(NeedsContentIdentification({.address = 1, .zip5 = 4, .zip4 = 5}, false));
    EXPECT_TRUE(NeedsContentIdentification({.zip9 = 1}, false));
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

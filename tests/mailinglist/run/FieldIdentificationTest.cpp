// Identification of the field roles by names and by contents, and the checks on a choice.
#include "mailinglist/run/FieldIdentification.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "mailinglist/BarcodeValue.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/text/TextMailingList.h"

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

TEST(FieldIdentification, ContentsOfAOneRecordFile) {
    TempFolder folder;
    const std::string path =
        folder.write("one.txt", "Smith\t12 Oak St\tHouston\tTX\t77001-1234\r\n").string();
    TextMailingList list(path, std::string(kAsciiTab), 1, 5);
    FieldRoles roles;
    IdentifyByContents(list, roles);
    EXPECT_EQ(roles, (FieldRoles{.barcode = 0}));
}

TEST(FieldIdentification, ChecksInOrderAndATextListNeedsNoBarcodeField) {
    TempFolder folder;
    TextMailingList text(folder.write("t.txt", "a\r\n").string(), std::string(kAsciiTab), 1, 1);
    EXPECT_EQ(
        CheckRoles({.zip5 = 2}, true, text),
        "Marrowby cannot proceed until you tell it which field(s) contains the zip codes. You "
        "can identify either a single field containing 9-digit zip codes, or two fields, one "
        "containing the first 5 digits and the other containing the +4 digits.");
    EXPECT_EQ(CheckRoles({.zip9 = 2}, true, text),
              "Marrowby cannot proceed until you tell it either which field contains the street "
              "address or which field contains the delivery point (or both).");
    EXPECT_EQ(CheckRoles({.zip5 = 1, .zip4 = 2, .deliveryPoint = 0}, true, text), std::nullopt);
    EXPECT_EQ(CheckRoles({.address = 0, .zip9 = 1}, true, text), std::nullopt);
}

TEST(FieldIdentification, ContentsAreExaminedOnlyWhenNamesFallShort) {
    EXPECT_FALSE(
        NeedsContentIdentification({.address = 1, .zip5 = 4, .zip4 = 5, .barcode = 6}, true));
    EXPECT_TRUE(NeedsContentIdentification({.address = 1, .zip5 = 4, .zip4 = 5}, true));
    EXPECT_FALSE(NeedsContentIdentification({.address = 1, .zip5 = 4, .zip4 = 5}, false));
    EXPECT_TRUE(NeedsContentIdentification({.zip9 = 1}, false));
}

TEST(FieldIdentification, BlankOrBarcodeIsAllABarcodeFieldMayHold) {
    const struct {
        std::string_view value;
        bool free;
    } cases[] = {
        {"", true},
        {"      ", true},
        {std::string_view("\0\0 ", 3), true},
        {"/770011234057/", true},
        {"/770011234057/   ", true},
        {"[[770011234057[[", true},
        {"old barcode", false},
        {"77001", false},
        {"/77001123405X/", false},
        {"/770011234057|", false},
        {"17700112340571", false},  // fourteen digits are a number, not a framed barcode
        {" /770011234057/", false},
    };
    for (const auto& c : cases) EXPECT_EQ(BlankOrBarcode(c.value), c.free) << c.value;
}

namespace {

// A list that stores barcodes in its own fields, with fixed answers.
class FieldsList : public MailingList {
  public:
    FieldsList(std::string kind, std::vector<bool> free, std::vector<int> widths)
        : kind_(std::move(kind)), free_(std::move(free)), widths_(std::move(widths)) {}
    std::string kind() const override { return kind_; }
    std::string fileName() const override { return "list"; }
    long recordCount() const override { return 3; }
    int fieldCount() const override { return static_cast<int>(free_.size()); }
    std::vector<std::string> fieldNames() override { return {}; }
    FieldList identificationRecord(int) override { return {}; }
    int fieldWidth(int position) const override { return widths_.at(position); }
    std::vector<std::string> viewerFieldNames() override { return {}; }
    FieldList viewerRecord(long) override { return {}; }
    std::vector<bool> fieldsFreeForBarcodes() override { return free_; }
    std::unique_ptr<RecordSource> openSource(const RunPlan&) override { return nullptr; }

  private:
    std::string kind_;
    std::vector<bool> free_;
    std::vector<int> widths_;
};

}  // namespace

TEST(FieldIdentification, BarcodesAreNeverProposedForAFieldThatHoldsData) {
    const std::vector<bool> free{false, true, false, true, true};
    const std::vector<int> widths{30, 13, 20, 14, 20};
    const struct {
        const char* what;
        std::string_view kind;
        bool addMode;
        FieldRoles proposed;
        int barcode;  // afterwards
    } cases[] = {
        {"a free field stays", kDbase, true, {.address = 0, .barcode = 4}, 4},
        {"data: the first free field wide enough", kDbase, true, {.address = 0, .barcode = 2}, 3},
        {"none proposed: one is found", kAccess, true, {.address = 0}, 3},
        {"free fields taken by other roles", kAccess, true, {.zip9 = 3, .deliveryPoint = 4}, -1},
        {"out of range", kDbase, true, {.barcode = 7}, 3},
        {"barcodes only: left alone", kDbase, false, {.barcode = 2}, 2},
        {"a text list adds its own field", kAsciiTab, true, {.barcode = 2}, 2},
    };
    for (const auto& c : cases) {
        FieldsList list(std::string(c.kind), free, widths);
        FieldRoles roles = c.proposed;
        KeepBarcodesOffData(list, c.addMode, roles);
        FieldRoles expected = c.proposed;
        expected.barcode = c.barcode;
        EXPECT_EQ(roles, expected) << c.what;
    }
}

// Which ZIP, delivery point and engine call a record's fields lead to.
#include "mailinglist/run/BatchRun.h"

#include <gtest/gtest.h>

#include "engine/BarcodeEngine.h"
#include "mailinglist/run/BarcodeFieldCheck.h"

namespace marrowby {

TEST(BatchRun, ZipAndDeliveryPointOfARecord) {
    const struct {
        FieldList fields;
        FieldRoles roles;
        std::string zip;
        std::string deliveryPoint;
    } cases[] = {
        {{"123456789", "5"}, {.zip9 = 0, .deliveryPoint = 1}, "123456789", "05"},
        {{"12345-6789", "12"}, {.zip9 = 0, .deliveryPoint = 1}, "123456789", "12"},
        {{"12345-678", ""}, {.zip9 = 0, .deliveryPoint = 1}, "", ""},
        {{"12345 6789", "123"}, {.zip9 = 0, .deliveryPoint = 1}, "", ""},
        {{"12345", "", "1a"}, {.zip5 = 0, .zip4 = 1, .deliveryPoint = 2}, "", ""},
        {{"12345", "6789"}, {.zip5 = 0, .zip4 = 1}, "123456789", ""},
        {{" 2345", "6789"}, {.zip5 = 0, .zip4 = 1}, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecordZip(c.fields, c.roles), c.zip) << c.fields[0];
        EXPECT_EQ(RecordDeliveryPoint(c.fields, c.roles), c.deliveryPoint) << c.fields[0];
    }
}

TEST(BatchRun, DeliveryPointThenHighriseThenAddress) {
    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    std::vector<std::string> designators = DesignatorTable();
    const BarcodeEngine engine(preferences, designators);
    const std::string zip = "123456789";
    const std::string highriseAddress = "123 MAIN ST APT 5";
    const FieldRoles all{.address = 0, .zip9 = 1, .highrise = 2, .deliveryPoint = 3};
    const struct {
        FieldList fields;
        FieldRoles roles;
        std::string barcode;
    } cases[] = {
        {{highriseAddress, zip, "h", "7"}, all, engine.ComputeBarcodes("", zip, "07")},
        {{highriseAddress, zip, "x", ""}, all, engine.Highrise(highriseAddress, zip)},
        {{highriseAddress, zip, "Y", "123"}, all, engine.Highrise(highriseAddress, zip)},
        {{highriseAddress, zip, "HR", ""}, all, engine.ComputeBarcodes(highriseAddress, zip, "")},
        {{highriseAddress, zip, "1", ""}, all, engine.ComputeBarcodes(highriseAddress, zip, "")},
        {{"", zip, "", ""}, {.zip9 = 1, .deliveryPoint = 3}, engine.ComputeBarcodes("", zip, "")},
        {{highriseAddress, "1234", "H", "07"}, all, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecordBarcode(c.fields, c.roles, engine), c.barcode) << c.fields[2];
    }
    EXPECT_NE(engine.Highrise(highriseAddress, zip),
              engine.ComputeBarcodes(highriseAddress, zip, ""));
}

TEST(BatchRun, BarcodeTextsAnUnattendedRunMayOverwrite) {
    const struct {
        std::string value;
        std::string frame;
        bool barcode;
    } cases[] = {
        {"/123456789230/", "/", true},
        {"|123456789230|", "/", true},    // written with another frame bar
        {"/123456789230/  ", "/", true},  // a fixed-width field's padding
        {"123456789230", "", true},
        {"123456789230", "/", false},  // twelve digits of something else
        {"/123456789231/", "/", false},
        {"/12345678923/", "/", false},
        {"/123456789230|", "/", false},
        {"/12345a789230/", "/", false},
        {"555-123-4567", "/", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsBarcodeText(c.value, c.frame), c.barcode) << c.value;
}

}  // namespace marrowby

// The 24 label digits from a tag and the mailer's settings: the cases of
// tests/data/tags/tray-label-digits.tsv read back field by field or refused naming the field.
#include <gtest/gtest.h>

#include <string>

#include "TestData.h"
#include "engine/MarrowbyError.h"
#include "tags/TagDerivation.h"
#include "tags/TrayLabel24.h"

namespace marrowby {

TEST(TrayLabel24, DigitsOfTheTableAndTheirFieldsReadBackOrTheFieldRefused) {
    for (const auto& row : GoldenRows("tags/tray-label-digits.tsv", '\t')) {
        SCOPED_TRACE("row " + row[0]);
        MailerSettings settings;
        settings.identity.mailerId = row[3];
        settings.processingCode = row[4];
        settings.labelType = row[5];
        const std::uint64_t serial = std::stoull(row[6]);
        const std::string& expected = row[7];
        try {
            const std::string digits = TrayLabelDigits(row[1], row[2], settings, serial);
            EXPECT_EQ(digits, expected);
            const TrayLabelFields fields{row[1], row[2], std::stoi(row[4]),
                                         row[3], serial, std::stoi(row[5])};
            EXPECT_EQ(SplitTrayLabelDigits(digits), fields);
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()), "Tray label: " + expected);
        }
    }
    EXPECT_THROW(SplitTrayLabelDigits("12345678112345612312345"), MarrowbyError);
    EXPECT_EQ(TraySerialCount("123456"), 100000000u);
    EXPECT_EQ(TraySerialCount("987654321"), 100000u);
    EXPECT_THROW(TraySerialCount("12345"), MarrowbyError);
}

TEST(TrayLabel24, TagsOfTheSheetGiveTheirZipAndContentCode) {
    MailerSettings settings;
    settings.identity.mailerId = "123456";
    settings.processingCode = settings.labelType = "1";
    // A tray tag (10 barcode digits with its suffix) and a sack tag (8 digits).
    const auto tray =
        DeriveTag({"DALLAS TX 75201", "5-Digit", ""}, MailType::FLN, PeriodicalKind::Per);
    ASSERT_TRUE(tray);
    EXPECT_EQ(TrayLabelDigitsOf(*tray, settings, 7), "752012501123456000000071");
    const auto sack = DeriveTag({"HOUSTON TX 770", "SCF", ""}, MailType::PFN, PeriodicalKind::News);
    ASSERT_TRUE(sack);
    EXPECT_EQ(TrayLabelDigitsOf(*sack, settings, 8), "770004841123456000000081");
    // A tag whose digits are too short is refused, not read past its end.
    EXPECT_THROW(TrayLabelDigitsOf(TagValues{"", "", "", "", "7520"}, settings, 1), MarrowbyError);
}

}  // namespace marrowby

// The 24 label digits from a tag and the mailer's settings: the cases of
// tests/data/tags/tray-label-digits.tsv read back field by field or refused naming the field.
#include <gtest/gtest.h>

#include <string>

#include "TestData.h"
#include "engine/MarrowbyError.h"
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
    // A tag whose digits are too short is refused, not read past its end; the digits of
    // whole tags are read back from the printed sheets in TagSheetPrintTest.
    EXPECT_THROW(TrayLabelDigitsOf(TagValues{"", "", "", "", "7520"}, MailerSettings(), 1),
                 MarrowbyError);
}

}  // namespace marrowby

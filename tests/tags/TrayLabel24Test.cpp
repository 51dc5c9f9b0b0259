// The 24 label digits from a tag and the mailer's settings: worked cases read back field
// by field, the serial range of each mailer ID length, and refusals naming the field.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/MarrowbyError.h"
#include "tags/TagDerivation.h"
#include "tags/TrayLabel24.h"

namespace marrowby {

namespace {

// The mailer ID and the two one-digit codes, which the tables give as numbers.
struct Codes {
    std::string mailerId;
    std::optional<int> processingCode;
    std::optional<int> labelType;
};

MailerSettings Mailer(const Codes& codes) {
    MailerSettings settings;
    settings.identity.mailerId = codes.mailerId;
    if (codes.processingCode) settings.processingCode = std::to_string(*codes.processingCode);
    if (codes.labelType) settings.labelType = std::to_string(*codes.labelType);
    return settings;
}

struct Case {
    const char* zip;
    const char* contentCode;
    Codes settings;
    std::uint64_t serial;
    const char* digits;
};

}  // namespace

TEST(TrayLabel24, DigitsOfWorkedCasesAndTheirFieldsReadBack) {
    const Case cases[] = {
        // 1 the sample of the tray label publication, split 12345|678|1|123456|12312345|1
        {"12345", "678", {"123456", 1, 1}, 12312345, "123456781123456123123451"},
        // 2 a small serial is zero-filled to 8 digits after a 6-digit mailer ID
        {"75201", "250", {"123456", 0, 0}, 1, "752012500123456000000010"},
        // 3 a 9-digit mailer ID leaves 5 serial digits
        {"77000", "484", {"912345678", 1, 8}, 42, "770004841912345678000428"},
        // 4 the last serial of each length, and a mailer ID of zeros kept as typed
        {"00601", "050", {"000000", 9, 2}, 99999999, "006010509000000999999992"},
        {"99950", "143", {"999999999", 3, 4}, 99999, "999501433999999999999994"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits);
        const std::string digits =
            TrayLabelDigits(c.zip, c.contentCode, Mailer(c.settings), c.serial);
        EXPECT_EQ(digits, c.digits);
        const TrayLabelFields expected{
            c.zip,    c.contentCode,        *c.settings.processingCode, c.settings.mailerId,
            c.serial, *c.settings.labelType};
        EXPECT_EQ(SplitTrayLabelDigits(digits), expected);
    }
}

TEST(TrayLabel24, TagsOfTheSheetGiveTheirZipAndContentCode) {
    const MailerSettings settings = Mailer({"123456", 1, 1});
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

// Every refusal names its field; the serial count follows the mailer ID's length.
TEST(TrayLabel24, RefusalsNameTheField) {
    struct Refusal {
        const char* zip;
        const char* contentCode;
        Codes settings;
        std::uint64_t serial;
        std::string message;  // after "Tray label: "
    };
    const auto badMailerId = [](const std::string& id) {
        return "the mailer ID '" + id +
               "' is neither 6 digits beginning with 0 to 8 nor 9 digits beginning with 9";
    };
    const auto tooBig = [](const std::string& serial, int digits, int idLength) {
        return "the serial number " + serial + " has more than the " + std::to_string(digits) +
               " digits that a " + std::to_string(idLength) + "-digit mailer ID leaves";
    };
    const Refusal refusals[] = {
        {"7520", "250", {"123456", 1, 1}, 1, "the destination ZIP '7520' is not 5 digits"},
        {"7520A", "250", {"123456", 1, 1}, 1, "the destination ZIP '7520A' is not 5 digits"},
        {"75201", "25", {"123456", 1, 1}, 1, "the content identifier '25' is not 3 digits"},
        {"75201", "250", {"123456", std::nullopt, 1}, 1, "the processing code is not set"},
        {"75201", "250", {"123456", 10, 1}, 1, "the processing code 10 is not one digit"},
        {"75201", "250", {"123456", 1, std::nullopt}, 1, "the label type is not set"},
        {"75201", "250", {"123456", 1, -1}, 1, "the label type -1 is not one digit"},
        {"75201", "250", {"12345", 1, 1}, 1, badMailerId("12345")},
        {"75201", "250", {"923456", 1, 1}, 1, badMailerId("923456")},
        {"75201", "250", {"812345678", 1, 1}, 1, badMailerId("812345678")},
        {"75201", "250", {"12345a", 1, 1}, 1, badMailerId("12345a")},
        {"75201", "250", {"", 1, 1}, 1, badMailerId("")},
        {"75201", "250", {"123456", 1, 1}, 100000000, tooBig("100000000", 8, 6)},
        {"75201", "250", {"912345678", 1, 1}, 100000, tooBig("100000", 5, 9)},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.message);
        try {
            TrayLabelDigits(r.zip, r.contentCode, Mailer(r.settings), r.serial);
            ADD_FAILURE() << "accepted";
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()), "Tray label: " + r.message);
        }
    }
    EXPECT_THROW(SplitTrayLabelDigits("12345678112345612312345"), MarrowbyError);
    EXPECT_EQ(TraySerialCount("123456"), 100000000u);
    EXPECT_EQ(TraySerialCount("987654321"), 100000u);
    EXPECT_THROW(TraySerialCount("12345"), MarrowbyError);
}

}  // namespace marrowby

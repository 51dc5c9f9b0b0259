// Barcode texts, check digits, frame bars and bar patterns.
#include "engine/BarcodeEngine.h"

#include <gtest/gtest.h>

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

class BarcodeEngineTest : public ::testing::Test {
  protected:
    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    std::vector<std::string> designators = DesignatorTable();
    BarcodeEngine engine{preferences, designators};
};

}  // namespace

TEST_F(BarcodeEngineTest, CheckDigitMakesTheSumAMultipleOfTen) {
    const struct {
        const char* zip;
        const char* deliveryPoint;
        const char* text;
    } cases[] = {
        {"123456789", "01", "/123456789014/"},  // sum 46
        {"123456789", "99", "/123456789997/"}, {"987654321", "00", "/987654321005/"},
        {"000000000", "00", "/000000000000/"},  // sum 0 gives 0, not 10
        {"123456789", "5", "/12345678950/"},    // another length is coded unchanged
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine.ComputeBarcodes("", c.zip, c.deliveryPoint), c.text) << c.zip;
    }
}

TEST_F(BarcodeEngineTest, DeliveryPointWinsThenAddressThen99) {
    EXPECT_EQ(engine.ComputeBarcodes("123 MAIN ST", "123456789", "01"), "/123456789014/");
    EXPECT_EQ(engine.ComputeBarcodes("", "123456789", ""), "/123456789997/");
    EXPECT_EQ(engine.ComputeBarcodes("123 MAIN ST", "123456789", ""), "/123456789230/");
    EXPECT_EQ(engine.Highrise("123 MAIN ST APT 5", "123456789"), "/123456789050/");
    EXPECT_EQ(engine.Highrise("123 MAIN ST", "123456789"), "/123456789997/");
}

TEST_F(BarcodeEngineTest, FrameBarIsReadAtEveryCall) {
    preferences[3] = "|";
    EXPECT_EQ(engine.ComputeBarcodes("", "123456789", "01"), "|123456789014|");
    preferences[3] = "";
    EXPECT_EQ(engine.ComputeBarcodes("", "123456789", "01"), "123456789014");
}

TEST_F(BarcodeEngineTest, NonDigitIsNotAValidInteger) {
    try {
        engine.ComputeBarcodes("", "12345-678", "01");
        FAIL() << "a dash in the ZIP must stop the computation";
    } catch (const MarrowbyError& error) {
        EXPECT_STREQ(error.what(), "'-' is not a valid integer value");
    }
}

TEST_F(BarcodeEngineTest, ShortPreferenceListNamesTheMissingLine) {
    preferences.resize(3);
    try {
        engine.ComputeBarcodes("", "123456789", "01");
        FAIL();
    } catch (const MarrowbyError& error) {
        EXPECT_STREQ(error.what(), "prefs.dat line 4 is missing");
    }
}

TEST(BarPattern, FiveBarsADigitAndTheSlashAsFrameBar) {
    const std::string pattern = BarPattern("/123456789014/");
    EXPECT_EQ(pattern.size(), 62u);
    EXPECT_EQ(pattern.substr(0, 6), "LSSSLL");
    EXPECT_EQ(pattern.back(), 'L');
    EXPECT_EQ(BarPattern("0123456789"), "LLSSSSSSLLSSLSLSSLLSSLSSLSLSLSSLLSSLSSSLLSSLSLSLSS");
    EXPECT_EQ(BarPattern("|123456789014|").size(), 60u);  // no frame bars
    EXPECT_EQ(BarPattern(""), "");
}

}  // namespace marrowby

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

// tests/data/engine/postnet-golden.tsv checks every rule on thousands of addresses; these
// are the cases it does not hold.
TEST_F(BarcodeEngineTest, CheckDigitMakesTheSumAMultipleOfTen) {
    const struct {
        const char* zip;
        const char* deliveryPoint;
        const char* text;
    } cases[] = {
        {"123456789", "01", "/123456789014/"},  // 1 sum 46
        {"000000000", "00", "/000000000000/"},  // 2 sum 0 gives 0, not 10
        {"123456789", "5", "/12345678950/"},    // 3 another length is coded unchanged
        {"123456789", "", "/123456789997/"},    // 4 no address and no delivery point: 99
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine.ComputeBarcodes("", c.zip, c.deliveryPoint), c.text) << c.zip;
    }
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

TEST(PostnetBarPattern, FiveBarsADigitAndTheSlashAsFrameBar) {
    // Any other character, the frame bar '|' among them, draws nothing.
    EXPECT_EQ(PostnetBarPattern("/0123456789|"),
              "L"
              "LLSSSSSSLLSSLSLSSLLSSLSSLSLSLSSLLSSLSSSLLSSLSLSLSS");
    EXPECT_EQ(PostnetBarPattern(""), "");
}

}  // namespace marrowby

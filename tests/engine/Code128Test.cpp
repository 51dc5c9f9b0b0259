// The 24-digit Code 128 symbol: codewords of a worked example, widths against zint, and
// refusal of anything that is not exactly 24 digits.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "TestData.h"
#include "engine/Code128.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

std::string AsText(const std::vector<int>& widths) {
    std::string text;
    for (const int width : widths) text += static_cast<char>('0' + width);
    return text;
}

}  // namespace

TEST(Code128, CodewordsOfTheTrayLabelSample) {
    // The sample of the tray label publication: Start C, its twelve pairs, check 90, stop.
    const std::vector<int> expected = {105, 12, 34, 56, 78, 11, 23, 45,
                                       61,  23, 12, 34, 51, 90, 106};
    EXPECT_EQ(Code128Codewords("123456781123456123123451"), expected);
}

TEST(Code128, WidthsMatchZintForEveryInputOfTheGoldenFile) {
    std::vector<bool> checkSeen(103, false);
    const auto rows = GoldenRows("code128/zint-24-digits.txt", ' ');
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        ASSERT_EQ(row.size(), 2u);
        const std::vector<int> widths = Code128Widths(row[0]);
        EXPECT_EQ(AsText(widths), row[1]);
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 167);
        checkSeen[Code128Codewords(row[0])[13]] = true;
    }
    EXPECT_EQ(rows.size(), 309u);
    // Every check value occurs, so every codeword pattern a check can need was compared.
    EXPECT_EQ(std::count(checkSeen.begin(), checkSeen.end(), true), 103);
}

TEST(Code128, RefusesAnythingButTwentyFourDigits) {
    const char* const refused[] = {
        "",                           // 1 nothing
        "12345678112345612312345",    // 2 23 digits would end in another code set
        "1234567811234561231234512",  // 3 25 digits
        "12345678112345612312345A",   // 4 a letter
        "12345678112345612312345 ",   // 5 a trailing blank
        "-23456781123456123123451",   // 6 a sign
    };
    for (const char* digits : refused) {
        SCOPED_TRACE(digits);
        try {
            Code128Widths(digits);
            ADD_FAILURE() << "accepted";
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(digits) +
                                                     "' cannot be a tray label barcode: it "
                                                     "must be exactly 24 digits");
        }
    }
}

}  // namespace marrowby

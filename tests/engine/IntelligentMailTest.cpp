// Intelligent Mail encoder: the published worked examples, refusals, and agreement with
// zint through a stored golden file.
#include "engine/IntelligentMail.h"

#include <gtest/gtest.h>

#include "TestData.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

const char* const Example = "01234567094987654321";

// The four worked examples of USPS-B-3200: barcode identifier 01, service type 234, mailer
// ID 567094, serial 987654321, with each length of routing code.
TEST(IntelligentMailTest, PublishedWorkedExamples) {
    const struct {
        const char* routing;
        const char* bars;
    } cases[] = {
        {"", "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT"},
        {"01234", "DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT"},
        {"012345678", "ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA"},
        {"01234567891", "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntelligentMailBars(Example, c.routing), c.bars) << "routing " << c.routing;
    }
}

// The value zero, then the binary values of the four worked examples with the check
// sequences published beside them.
TEST(IntelligentMailTest, CheckSequenceOfKnownValues) {
    const struct {
        unsigned long long high, low;
        unsigned check;
    } cases[] = {
        {0, 0, 0x6E0},
        {0x0000000000ULL, 0x1122103B5C2004B1ULL, 0x051},
        {0x0000000D13ULL, 0x8A87BAB5CF3804B1ULL, 0x065},
        {0x000202BDC0ULL, 0x97711204D21804B1ULL, 0x606},
        {0x016907B2A2ULL, 0x4ABC16A2E5C004B1ULL, 0x751},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntelligentMailCheck(c.high, c.low), c.check) << std::hex << c.low;
    }
}

TEST(IntelligentMailTest, RefusalsNameTheRule) {
    const struct {
        const char* tracking;
        const char* routing;
        const char* message;
    } cases[] = {
        {"0123456709498765432", "", "The tracking code must have 20 digits, not 19."},
        {"012345670949876543210", "", "The tracking code must have 20 digits, not 21."},
        {"0123456709498765432A", "", "The tracking code may hold only digits; 'A' is not a digit."},
        {"05234567094987654321", "",
         "The second digit of the tracking code (the barcode identifier) must be 0 to 4, not 5."},
        {Example, "0123", "The routing code must have 0, 5, 9 or 11 digits, not 4."},
        {Example, "012345678901", "The routing code must have 0, 5, 9 or 11 digits, not 12."},
        {Example, "01234-6789", "The routing code must have 0, 5, 9 or 11 digits, not 10."},
        {Example, "0123-", "The routing code may hold only digits; '-' is not a digit."},
    };
    for (const auto& c : cases) {
        try {
            IntelligentMailBars(c.tracking, c.routing);
            ADD_FAILURE() << "accepted " << c.tracking << " / " << c.routing;
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

// zint's bars for 3,000 inputs, the largest value the barcode can carry among them.
TEST(IntelligentMailTest, AgreesWithZintGoldenFile) {
    const auto rows = GoldenRows("imb/zint-golden.txt", ' ');
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 4u) << "row " << row[0];
        EXPECT_EQ(IntelligentMailBars(row[1], row[2] == "-" ? "" : row[2]), row[3])
            << "row " << row[0];
    }
    EXPECT_EQ(rows.size(), 3000u);
}

}  // namespace marrowby

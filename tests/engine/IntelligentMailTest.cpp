// Intelligent Mail encoder: the published worked examples, refusals, and agreement with
// zint (a stored golden file and a live run on fresh random inputs).
#include "engine/IntelligentMail.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "engine/MarrowbyError.h"

namespace {

const char* const Example = "01234567094987654321";

// zint's --dump rows (ascender, tracker, descender) as hex, bar n in column 2n.
std::string zintBars(const std::string& tracking, const std::string& routing) {
    const std::string command = "zint -b USPS_IMAIL --dump -d " + tracking +
                                (routing.empty() ? "" : "-" + routing) + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return "zint did not start";
    }
    std::vector<std::string> rows;
    char line[256];
    while (fgets(line, sizeof line, pipe.get())) {
        std::string bits;
        for (const char* c = line; *c; ++c) {
            if (std::isxdigit(static_cast<unsigned char>(*c))) {
                const int nibble = std::stoi(std::string(1, *c), nullptr, 16);
                for (int b = 3; b >= 0; --b) {
                    bits += (nibble >> b) & 1 ? '1' : '0';
                }
            }
        }
        rows.push_back(bits);
    }
    if (rows.size() != 3 || rows[0].size() < 129 || rows[2].size() < 129) {
        return "unexpected zint output";
    }
    std::string bars;
    for (int column = 0; column < 129; column += 2) {
        const bool up = rows[0][column] == '1';
        const bool down = rows[2][column] == '1';
        bars += up ? (down ? 'F' : 'A') : (down ? 'D' : 'T');
    }
    return bars;
}

}  // namespace

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
        {"", "", "The tracking code must have 20 digits, not 0."},
        {"0123456709498765432A", "", "The tracking code may hold only digits; 'A' is not a digit."},
        {"0 234567094987654321", "", "The tracking code may hold only digits; ' ' is not a digit."},
        {"05234567094987654321", "",
         "The second digit of the tracking code (the barcode identifier) must be 0 to 4, not 5."},
        {"09234567094987654321", "01234",
         "The second digit of the tracking code (the barcode identifier) must be 0 to 4, not 9."},
        {Example, "0123", "The routing code must have 0, 5, 9 or 11 digits, not 4."},
        {Example, "0123456", "The routing code must have 0, 5, 9 or 11 digits, not 7."},
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

TEST(IntelligentMailTest, AgreesWithZintGoldenFile) {
    std::ifstream golden(MARROWBY_SOURCE_DIR "/tests/data/imb/zint-golden.txt");
    ASSERT_TRUE(golden) << "tests/data/imb/zint-golden.txt is missing";
    std::string line;
    int rows = 0;
    while (std::getline(golden, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string row, tracking, routing, bars;
        fields >> row >> tracking >> routing >> bars;
        EXPECT_EQ(IntelligentMailBars(tracking, routing == "-" ? "" : routing), bars)
            << "row " << row;
        ++rows;
    }
    EXPECT_EQ(rows, 3000);
}

TEST(IntelligentMailTest, AgreesWithZintOnFreshInputs) {
    std::mt19937 random(std::random_device{}());
    const auto digits = [&](std::size_t count, char highest = '9') {
        std::string text;
        while (text.size() < count) {
            text += static_cast<char>('0' + random() % (highest - '0' + 1));
        }
        return text;
    };
    // The largest value the barcode can carry first, then random ones.
    EXPECT_EQ(IntelligentMailBars("94999999999999999999", "99999999999"),
              zintBars("94999999999999999999", "99999999999"));
    const std::size_t lengths[] = {0, 5, 9, 11};
    for (int i = 0; i < 300; ++i) {
        const std::string tracking = digits(1) + digits(1, '4') + digits(18);
        const std::string routing = digits(lengths[i % 4]);
        EXPECT_EQ(IntelligentMailBars(tracking, routing), zintBars(tracking, routing))
            << tracking << "-" << routing;
    }
}

// The engine against its tables under tests/data: hand-picked cases with the rule or the
// published example each comes from (engine/cases.tsv), and the golden files of an
// independent reading of the POSTNET rules and of another encoder's Intelligent Mail and
// Code 128 symbols.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>

#include "ErrorOf.h"
#include "TestData.h"
#include "engine/BarcodeEngine.h"
#include "engine/Code128.h"
#include "engine/DeliveryPoint.h"
#include "engine/IntelligentMail.h"
#include "engine/IntelligentMailTracking.h"

namespace marrowby {

namespace {

using Arguments = std::vector<std::string>;

std::string Joined(const std::vector<int>& values, const char* separator) {
    std::string text;
    for (const int value : values) text += (text.empty() ? "" : separator) + std::to_string(value);
    return text;
}

// One engine for every row: it must read the frame bar of its preference list at each call.
class EngineTest : public ::testing::Test {
  protected:
    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    const std::vector<std::string> designators = DesignatorTable();
    const BarcodeEngine engine{preferences, designators};
};

}  // namespace

TEST_F(EngineTest, EveryCaseOfTheTable) {
    const std::map<std::string, std::function<std::string(const Arguments&)>> functions = {
        {"barcode",
         [&](const Arguments& a) {
             preferences.resize(3);  // "-": a list without the frame bar's line
             if (a[2] != "-") preferences.push_back(a[2]);
             return engine.ComputeBarcodes("", a[0], a[1]);
         }},
        {"pattern", [](const Arguments& a) { return PostnetBarPattern(a[0]); }},
        {"ordinary", [](const Arguments& a) { return OrdinaryDeliveryPoint(a[0]); }},
        {"highrise", [&](const Arguments& a) { return HighriseDeliveryPoint(a[0], designators); }},
        {"highrise without designators",
         [](const Arguments& a) { return HighriseDeliveryPoint(a[0], {}); }},
        {"letter", [](const Arguments& a) { return std::to_string(LetterCode(a[0][0])); }},
        {"code128", [](const Arguments& a) { return Joined(Code128Codewords(a[0]), " "); }},
        {"imb", [](const Arguments& a) { return IntelligentMailBars(a[0], a[1]); }},
        {"imb check",
         [](const Arguments& a) {
             char hex[8];
             std::snprintf(hex, sizeof hex, "%03X",
                           IntelligentMailCheck(std::stoull(a[0], nullptr, 16),
                                                std::stoull(a[1], nullptr, 16)));
             return std::string(hex);
         }},
        {"tracking",
         [](const Arguments& a) {
             return TrackingCode({a[0], a[1], a[2]}, std::stoull(a[3]));
         }},
        {"room",
         [](const Arguments& a) {
             SerialIssuer({"00", "300", a[0]}, std::stoull(a[1])).requireRoomFor(std::stoull(a[2]));
             return std::string("ok");
         }},
    };
    const auto rows = CaseRows("engine/cases.tsv", 5);
    for (const auto& row : rows) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        EXPECT_EQ(ValueOrError(
                      [&] { return functions.at(row[2])(Arguments(row.begin() + 4, row.end())); }),
                  row[3]);
    }
    EXPECT_EQ(rows.size(), 112u);
}

TEST_F(EngineTest, PostnetGoldenFile) {
    const auto rows = CaseRows("engine/postnet-golden.tsv");
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u) << "row " << row[0];
        const std::string actual = row[1] == "highrise"
                                       ? engine.Highrise(row[2], row[3])
                                       : engine.ComputeBarcodes(row[2], row[3], row[4]);
        EXPECT_EQ(actual, row[5]) << "row " << row[0] << " (" << row[1] << ") '" << row[2] << "'";
    }
    EXPECT_EQ(rows.size(), 3200u);
}

TEST(EngineGolden, IntelligentMailBarsAndCode128Widths) {
    const auto imb = CaseRows("imb/zint-golden.txt", 0, ' ');
    for (const auto& row : imb) {
        ASSERT_EQ(row.size(), 4u) << "row " << row[0];
        EXPECT_EQ(IntelligentMailBars(row[1], row[2] == "-" ? "" : row[2]), row[3])
            << "row " << row[0];
    }
    EXPECT_EQ(imb.size(), 3000u);

    std::vector<bool> checkSeen(103, false);
    const auto rows = CaseRows("code128/zint-24-digits.txt", 0, ' ');
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 2u) << row[0];
        const std::vector<int> widths = Code128Widths(row[0]);
        EXPECT_EQ(Joined(widths, ""), row[1]) << row[0];
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 167) << row[0];
        checkSeen[Code128Codewords(row[0])[13]] = true;
    }
    EXPECT_EQ(rows.size(), 309u);
    // Every check value occurs, so every codeword pattern a check can need was compared.
    EXPECT_EQ(std::count(checkSeen.begin(), checkSeen.end(), true), 103);
}

}  // namespace marrowby

// Every row of the POSTNET golden file: addresses with the barcode text that an independent
// reading of the rules (tests/data/engine/make-golden.py) gave them.
#include <gtest/gtest.h>

#include "TestData.h"
#include "engine/BarcodeEngine.h"

namespace marrowby {

TEST(PostnetGolden, EveryRowGivesItsBarcode) {
    const std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    const std::vector<std::string> designators = DesignatorTable();
    const BarcodeEngine engine(preferences, designators);
    const auto rows = GoldenRows("engine/postnet-golden.tsv", '\t');
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u) << "row " << row[0];
        const std::string& rule = row[1];
        const std::string& address = row[2];
        const std::string& zip = row[3];
        const std::string actual = rule == "highrise"
                                       ? engine.Highrise(address, zip)
                                       : engine.ComputeBarcodes(address, zip, row[4]);
        EXPECT_EQ(actual, row[5]) << "row " << row[0] << " (" << rule << ") '" << address << "'";
    }
    EXPECT_EQ(rows.size(), 3200u);
}

}  // namespace marrowby

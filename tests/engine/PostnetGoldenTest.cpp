// Every row of the POSTNET golden file: addresses with the barcode text that an independent
// reading of the rules (tests/data/engine/make-golden.py) gave them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/BarcodeEngine.h"

namespace marrowby {

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    return fields;
}

}  // namespace

TEST(PostnetGolden, EveryRowGivesItsBarcode) {
    const std::string path = MARROWBY_SOURCE_DIR "/tests/data/engine/postnet-golden.tsv";
    std::ifstream in(path);
    ASSERT_TRUE(in) << "missing " << path;
    const std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    const std::vector<std::string> designators = DesignatorTable();
    const BarcodeEngine engine(preferences, designators);

    int rows = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> row = SplitTabs(line);
        ASSERT_EQ(row.size(), 6u) << "row " << line;
        const std::string& rule = row[1];
        const std::string& address = row[2];
        const std::string& zip = row[3];
        const std::string actual = rule == "highrise"
                                       ? engine.Highrise(address, zip)
                                       : engine.ComputeBarcodes(address, zip, row[4]);
        EXPECT_EQ(actual, row[5]) << "row " << row[0] << " (" << rule << ") '" << address << "'";
        ++rows;
    }
    EXPECT_EQ(rows, 3200);
}

}  // namespace marrowby

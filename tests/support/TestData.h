// Where the tests find the files of tests/data in the source tree, and how they read the
// golden tables there.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace marrowby {

// The repository's tests/data folder.
inline std::filesystem::path TestDataFolder() {
    return std::filesystem::path(MARROWBY_SOURCE_DIR) / "tests" / "data";
}

// The rows of a golden table under tests/data, split at every separator (so empty fields
// are kept); blank lines and lines starting with '#' are comments. A missing file fails
// the calling test.
inline std::vector<std::vector<std::string>> GoldenRows(const std::string& name, char separator) {
    std::ifstream in(TestDataFolder() / name);
    if (!in) ADD_FAILURE() << "missing tests/data/" << name;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, separator);) row.push_back(field);
        if (line.back() == separator) row.emplace_back();
    }
    return rows;
}

}  // namespace marrowby

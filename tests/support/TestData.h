// Where the tests find the files of tests/data in the source tree, and how they read the
// case tables there.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace marrowby {

// The repository's tests/data folder.
inline std::filesystem::path TestDataFolder() {
    return std::filesystem::path(MARROWBY_SOURCE_DIR) / "tests" / "data";
}

// The bytes of a file under tests/data; a missing file fails the calling test.
inline std::string TestDataBytes(const std::string& name) {
    std::ifstream in(TestDataFolder() / name, std::ios::binary);
    if (!in) ADD_FAILURE() << "missing tests/data/" << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes a field of a table spells, where \r, \n, \t, \\ and \xHH stand for the bytes a
// line of the table cannot hold.
inline std::string Unescaped(const std::string& field) {
    std::string bytes;
    for (size_t i = 0; i < field.size(); ++i) {
        const char c = field[i] == '\\' && i + 1 < field.size() ? field[++i] : '\0';
        if (c == 'x') {
            bytes += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += c == '\0' ? field[i] : c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
    }
    return bytes;
}

// The rows of a case table under tests/data, split at every separator (so empty fields are
// kept) and unescaped; blank lines and lines starting with '#' are comments. A missing file,
// or a row of fewer than `columns` fields, fails the calling test; such a row is padded so
// that the test can index it.
inline std::vector<std::vector<std::string>> CaseRows(const std::string& name, size_t columns = 0,
                                                      char separator = '\t') {
    std::ifstream in(TestDataFolder() / name);
    if (!in) ADD_FAILURE() << "missing tests/data/" << name;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, separator);)
            row.push_back(Unescaped(field));
        if (line.back() == separator) row.emplace_back();
        EXPECT_GE(row.size(), columns) << name << " row " << row[0];
        row.resize(std::max(row.size(), columns));
    }
    return rows;
}

// The values of a field separated by the given character; none in an empty field.
inline std::vector<std::string> SplitField(const std::string& field, char separator) {
    std::vector<std::string> parts;
    std::istringstream values(field);
    for (std::string value; std::getline(values, value, separator);) parts.push_back(value);
    if (!field.empty() && field.back() == separator) parts.emplace_back();
    return parts;
}

}  // namespace marrowby

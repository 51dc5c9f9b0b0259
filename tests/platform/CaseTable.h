// Case tables under tests/data: numbered rows of tab-separated fields in which \r, \n, \t,
// \\ and \xHH stand for the bytes a line of the table cannot hold.
#pragma once

#include <string>
#include <vector>

#include "TestData.h"

namespace marrowby {

inline std::string Unescaped(const std::string& field) {
    std::string bytes;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            bytes += field[i];
        } else if (field[++i] == 'x') {
            bytes += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            const char c = field[i];
            bytes += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
    }
    return bytes;
}

// The rows of tests/data/NAME with every field unescaped; a row with fewer than `columns`
// fields fails the calling test and is padded, so that the test can index it.
inline std::vector<std::vector<std::string>> CaseRows(const std::string& name, size_t columns) {
    auto rows = GoldenRows(name, '\t');
    for (auto& row : rows) {
        EXPECT_GE(row.size(), columns) << name << " row " << row[0];
        if (row.size() < columns) row.resize(columns);
        for (std::string& field : row) field = Unescaped(field);
    }
    return rows;
}

}  // namespace marrowby

// Case tables under tests/data: numbered rows of tab-separated fields in which \r, \n, \t,
// \\ and \xHH stand for the bytes a line of the table cannot hold.
#pragma once

#include "TestData.h"

namespace marrowby {

// The rows of tests/data/NAME unescaped; a row of fewer than `columns` fields fails the
// calling test and is padded so that the test can index it.
inline std::vector<std::vector<std::string>> CaseRows(const std::string& name, size_t columns) {
    auto rows = GoldenRows(name, '\t');
    for (auto& row : rows) {
        EXPECT_GE(row.size(), columns) << name << " row " << row[0];
        if (row.size() < columns) row.resize(columns);
        for (std::string& field : row) {
            std::string bytes;
            for (size_t i = 0; i < field.size(); ++i) {
                const char c = field[i] == '\\' && i + 1 < field.size() ? field[++i] : '\0';
                if (c == 'x') {
                    bytes += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
                    i += 2;
                } else {
                    bytes += c == '\0'  ? field[i]
                             : c == 'r' ? '\r'
                             : c == 'n' ? '\n'
                             : c == 't' ? '\t'
                                        : c;
                }
            }
            field = bytes;
        }
    }
    return rows;
}

}  // namespace marrowby

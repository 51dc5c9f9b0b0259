// How the database engine lays out a data page's row offset table and a row inside it:
// reading and writing the little-endian numbers, taking a row apart and putting it together.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Flags in a row offset table entry; the low 13 bits are the row's position on the page.
inline constexpr unsigned kDeletedRow = 0x8000;
inline constexpr unsigned kOverflowRow = 0x4000;
inline constexpr unsigned kRowPositionMask = 0x1fff;

unsigned Get16(const std::string& bytes, size_t at);
void Put16(std::string& bytes, size_t at, unsigned value);
unsigned Byte(const std::string& bytes, size_t at);

// A stored row taken apart: what precedes the variable columns (column count and fixed
// columns), the data of each variable column, and the null mask.
struct RowParts {
    unsigned columnCount = 0;
    std::string prefix;
    std::vector<std::string> variable;
    std::string nullMask;
};

// Reads a row the way the database engine lays it out; nullopt when its offsets do not
// describe a row.
std::optional<RowParts> SplitRow(const std::string& row, bool jet3);
// Lays a row out again; nullopt when it cannot be expressed (a Jet 3 row whose offset
// table would need more than one spare jump entry, or offsets beyond 16 bits).
std::optional<std::string> JoinRow(const RowParts& parts, bool jet3);

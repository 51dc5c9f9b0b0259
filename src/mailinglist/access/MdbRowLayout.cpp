// Row offset tables and rows of data pages, as the database engine writes them.
#include "mailinglist/access/MdbRowLayout.h"

unsigned Get16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

void Put16(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xff);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xff);
}

unsigned Byte(const std::string& bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

std::optional<RowParts> SplitRow(const std::string& row, bool jet3) {
    const size_t countSize = jet3 ? 1 : 2;
    if (row.size() < countSize + 1) return std::nullopt;
    RowParts parts;
    parts.columnCount = jet3 ? Byte(row, 0) : Get16(row, 0);
    const size_t maskSize = (parts.columnCount + 7) / 8;
    const size_t length = row.size();
    if (length < countSize + maskSize + (jet3 ? 2 : 4)) return std::nullopt;
    parts.nullMask = row.substr(length - maskSize);

    std::vector<size_t> offsets;
    size_t tableStart = 0;
    if (jet3) {
        const unsigned varCount = Byte(row, length - maskSize - 1);
        size_t jumps = (length - 1) / 256;
        if (length < maskSize + jumps + 2 + varCount + 1) return std::nullopt;
        const size_t columnTable = length - maskSize - jumps - 2;
        if ((columnTable - varCount) / 256 < jumps) --jumps;
        size_t jumpsUsed = 0;
        for (size_t i = 0; i <= varCount; ++i) {
            while (jumpsUsed < jumps && i == Byte(row, length - maskSize - 2 - jumpsUsed)) {
                ++jumpsUsed;
            }
            offsets.push_back(Byte(row, columnTable - i) + 256 * jumpsUsed);
        }
        tableStart = columnTable - varCount;
    } else {
        const unsigned varCount = Get16(row, length - maskSize - 2);
        if (length < maskSize + 4 + 2 * varCount + countSize) return std::nullopt;
        for (size_t i = 0; i <= varCount; ++i) {
            offsets.push_back(Get16(row, length - maskSize - 4 - 2 * i));
        }
        tableStart = length - maskSize - 4 - 2 * varCount;
    }
    if (offsets.front() < countSize || offsets.back() > tableStart) return std::nullopt;
    for (size_t i = 0; i + 1 < offsets.size(); ++i) {
        if (offsets[i] > offsets[i + 1]) return std::nullopt;
    }
    parts.prefix = row.substr(0, offsets.front());
    for (size_t i = 0; i + 1 < offsets.size(); ++i) {
        parts.variable.push_back(row.substr(offsets[i], offsets[i + 1] - offsets[i]));
    }
    return parts;
}

std::optional<std::string> JoinRow(const RowParts& parts, bool jet3) {
    std::string row = parts.prefix;
    std::vector<size_t> offsets;
    for (const std::string& data : parts.variable) {
        offsets.push_back(row.size());
        row += data;
    }
    const size_t endOfData = row.size();
    offsets.push_back(endOfData);
    const size_t varCount = parts.variable.size();
    if (jet3) {
        if (varCount > 255) return std::nullopt;
        for (size_t i = varCount + 1; i-- > 0;) row += static_cast<char>(offsets[i] & 0xff);
        // One jump entry per 256-byte boundary that an offset crosses; the row length decides
        // how many entries there are, so a last spare entry may be needed.
        const size_t realJumps = endOfData / 256;
        const size_t base = row.size() + 1 + parts.nullMask.size();
        size_t jumps = realJumps;
        if ((base + jumps - 1) / 256 != jumps) {
            ++jumps;
            if ((base + jumps - 1) / 256 != jumps) return std::nullopt;
            row += static_cast<char>(0xff);
        }
        for (size_t j = realJumps; j-- > 0;) {
            size_t first = 0;
            while (offsets[first] < 256 * (j + 1)) ++first;
            row += static_cast<char>(first);
        }
        row += static_cast<char>(varCount);
    } else {
        if (endOfData > 0xffff) return std::nullopt;
        std::string table(2 * (varCount + 2), '\0');
        for (size_t i = 0; i <= varCount; ++i) Put16(table, 2 * (varCount - i), offsets[i]);
        Put16(table, 2 * (varCount + 1), varCount);
        row += table;
    }
    return row + parts.nullMask;
}

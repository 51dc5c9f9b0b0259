// In-place update of a text field: the row is taken apart, rebuilt with the new value and
// put back on its page, moving the rows stored below it into the page's free space.
#include "mailinglist/access/MdbRowWriter.h"

#include <iconv.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "engine/MarrowbyError.h"

namespace {

// Flags in a row offset table entry; the low 13 bits are the row's position on the page.
constexpr unsigned kDeletedRow = 0x8000;
constexpr unsigned kOverflowRow = 0x4000;
constexpr unsigned kRowPositionMask = 0x1fff;

unsigned Get16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

void Put16(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xff);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xff);
}

unsigned Byte(const std::string& bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

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

// Lays a row out again; nullopt when it cannot be expressed (a Jet 3 row whose offset
// table would need more than one spare jump entry, or offsets beyond 16 bits).
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

// One field of a row as libmdb reads it.
struct CrackedField {
    bool isNull = true;
    std::string bytes;
    bool operator==(const CrackedField&) const = default;
};

// Cracks the row at start on page with libmdb, which reads from the handle's page buffer;
// the buffer is restored afterwards.
std::optional<std::vector<CrackedField>> CrackRow(MdbTableDef& table, const std::string& page,
                                                  size_t start, size_t length) {
    MdbHandle* mdb = table.entry->mdb;
    const size_t pageSize = static_cast<size_t>(mdb->fmt->pg_size);
    std::string saved(reinterpret_cast<const char*>(mdb->pg_buf), pageSize);
    std::memcpy(mdb->pg_buf, page.data(), pageSize);
    std::vector<MdbField> fields(table.num_cols);
    const int found = mdb_crack_row(&table, static_cast<int>(start), length, fields.data());
    std::optional<std::vector<CrackedField>> result;
    if (found >= 0) {
        result.emplace();
        for (const MdbField& field : fields) {
            CrackedField cracked;
            cracked.isNull = field.is_null != 0;
            if (field.siz > 0 && field.value != nullptr) {
                cracked.bytes.assign(static_cast<const char*>(field.value), field.siz);
            }
            result->push_back(std::move(cracked));
        }
    }
    std::memcpy(mdb->pg_buf, saved.data(), pageSize);
    return result;
}

std::string Iconv(const std::string& text, const char* to) {
    iconv_t converter = iconv_open(to, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw MarrowbyError(std::string("The character set ") + to + " is not available.");
    }
    std::string input = text;
    std::string output(4 * text.size() + 4, '\0');
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) {
        throw MarrowbyError("The text \"" + text +
                            "\" has characters that this database cannot store.");
    }
    output.resize(output.size() - outLeft);
    return output;
}

struct PageRow {
    unsigned entry = 0;
    size_t start = 0;
    size_t end = 0;
};

// The stored bytes of a text value in the database's own encoding: the code page for
// Jet 3 files (the one libmdb reads them with), UCS-2 little-endian for later ones, always
// uncompressed.
std::string EncodeMdbText(const MdbHandle& mdb, const std::string& utf8) {
    if (mdb.f->jet_version == MDB_VER_JET3) {
        const char* charset = std::getenv("MDB_JET3_CHARSET");
        return Iconv(utf8, charset != nullptr && *charset != '\0' ? charset : "CP1252");
    }
    return Iconv(utf8, "UCS-2LE");
}

}  // namespace

void MdbRowWriter::writeText(const MdbRowLocation& where, int column, const std::string& value,
                             const std::string& recordName) {
    MdbHandle& mdb = *table_.entry->mdb;
    const bool jet3 = mdb.f->jet_version == MDB_VER_JET3;
    const size_t pageSize = static_cast<size_t>(mdb.fmt->pg_size);
    const size_t countOffset = mdb.fmt->row_count_offset;
    auto* target = static_cast<MdbColumn*>(g_ptr_array_index(table_.columns, column));
    const std::string fieldName = target->name;
    auto refuse = [&](const std::string& why) {
        return MarrowbyError("The barcode for " + recordName + " cannot be stored in the field " +
                             fieldName + ": " + why);
    };

    std::string page(pageSize, '\0');
    const off_t pageOffset = static_cast<off_t>(where.page) * static_cast<off_t>(pageSize);
    if (pread(fd_, page.data(), pageSize, pageOffset) != static_cast<ssize_t>(pageSize)) {
        throw refuse("its data page could not be read (" + std::string(std::strerror(errno)) +
                     ").");
    }
    if (Byte(page, 0) != 0x01 ||
        Get16(page, 4) + (Get16(page, 6) << 16) != table_.entry->table_pg) {
        throw refuse("its data page does not belong to the table.");
    }

    // The rows lie back to back from the end of the page downwards; anything else is a
    // layout this code does not rearrange.
    const size_t rowCount = Get16(page, countOffset);
    const size_t tableEnd = countOffset + 2 + 2 * rowCount;
    if (where.row < 0 || static_cast<size_t>(where.row) >= rowCount || tableEnd > pageSize) {
        throw refuse("its row is not on its data page.");
    }
    std::vector<PageRow> rows(rowCount);
    size_t end = pageSize;
    for (size_t i = 0; i < rowCount; ++i) {
        rows[i].entry = Get16(page, countOffset + 2 + 2 * i);
        rows[i].start = rows[i].entry & kRowPositionMask;
        rows[i].end = end;
        if (rows[i].start > end || rows[i].start < tableEnd) {
            throw refuse("its data page has a row layout that Marrowby does not change.");
        }
        end = rows[i].start;
    }
    const size_t freeSpace = Get16(page, 2);
    if (freeSpace != end - tableEnd) {
        throw refuse("the free space recorded on its data page does not match the page.");
    }
    const PageRow& old = rows[where.row];
    if ((old.entry & (kDeletedRow | kOverflowRow)) != 0) {
        throw refuse("the record is stored on an overflow page.");
    }

    const std::string oldRow = page.substr(old.start, old.end - old.start);
    std::optional<RowParts> parts = SplitRow(oldRow, jet3);
    if (!parts || JoinRow(*parts, jet3) != oldRow) {
        throw refuse("the record is stored in a form that Marrowby does not change.");
    }
    if (target->var_col_num >= parts->variable.size() ||
        static_cast<unsigned>(target->col_num) >= parts->columnCount) {
        throw refuse("the record was stored before the field was added to the table.");
    }

    // An empty barcode clears the field, as a null unless the field must hold a value.
    const char* required = mdb_col_get_prop(target, "Required");
    const bool storeNull = value.empty() && !(required != nullptr && required[0] == 'y');
    const std::string stored = EncodeMdbText(mdb, value);
    RowParts changed = *parts;
    changed.variable[target->var_col_num] = stored;
    const unsigned char bit = static_cast<unsigned char>(1u << (target->col_num % 8));
    char& maskByte = changed.nullMask[target->col_num / 8];
    maskByte = static_cast<char>(storeNull ? (maskByte & ~bit) : (maskByte | bit));
    if (changed.variable == parts->variable && changed.nullMask == parts->nullMask) return;

    const std::optional<std::string> newRow = JoinRow(changed, jet3);
    if (!newRow) throw refuse("the record would be too long for its offset table.");
    const long growth = static_cast<long>(newRow->size()) - static_cast<long>(oldRow.size());
    if (growth > static_cast<long>(freeSpace)) {
        throw refuse("its data page has no room left for the longer value.");
    }

    // Rows after this one sit below it and move down (or up) by the growth.
    std::string newPage = page;
    const size_t lowest = rows.back().start;
    const size_t moved = old.start - lowest;
    std::memmove(newPage.data() + lowest - growth, page.data() + lowest, moved);
    const size_t newStart = old.end - newRow->size();
    std::memcpy(newPage.data() + newStart, newRow->data(), newRow->size());
    for (size_t i = static_cast<size_t>(where.row); i < rowCount; ++i) {
        const size_t start = rows[i].start - growth;
        Put16(newPage, countOffset + 2 + 2 * i, (rows[i].entry & ~kRowPositionMask) | start);
    }
    Put16(newPage, 2, static_cast<unsigned>(static_cast<long>(freeSpace) - growth));
    if (growth < 0) std::memset(newPage.data() + lowest, 0, static_cast<size_t>(-growth));

    // Before writing: every other row is unchanged, and libmdb reads the new row as the old
    // one with only this field different.
    for (size_t i = 0; i < rowCount; ++i) {
        if (i == static_cast<size_t>(where.row)) continue;
        const size_t shift = i > static_cast<size_t>(where.row) ? growth : 0;
        if (page.compare(rows[i].start, rows[i].end - rows[i].start, newPage, rows[i].start - shift,
                         rows[i].end - rows[i].start) != 0) {
            throw refuse("moving the other rows of its page failed a check.");
        }
    }
    const auto before = CrackRow(table_, page, old.start, oldRow.size());
    const auto after = CrackRow(table_, newPage, newStart, newRow->size());
    if (!before || !after || before->size() != after->size()) {
        throw refuse("the rebuilt record failed a check.");
    }
    for (size_t i = 0; i < before->size(); ++i) {
        CrackedField expected = (*before)[i];
        if (static_cast<int>(i) == column) expected = {storeNull, storeNull ? "" : stored};
        if ((*after)[i] != expected) throw refuse("the rebuilt record failed a check.");
    }

    if (pwrite(fd_, newPage.data(), pageSize, pageOffset) != static_cast<ssize_t>(pageSize)) {
        throw MarrowbyError("Writing the barcode for " + recordName + " failed (" +
                            std::string(std::strerror(errno)) + ").");
    }
    std::string readBack(pageSize, '\0');
    if (pread(fd_, readBack.data(), pageSize, pageOffset) != static_cast<ssize_t>(pageSize) ||
        readBack != newPage) {
        throw MarrowbyError("The barcode written for " + recordName +
                            " did not read back as written.");
    }
    // libmdb reads through its own buffered stream: drop what it may hold of the old page.
    std::fflush(mdb.f->stream);
    if (mdb.cur_pg == where.page) std::memcpy(mdb.pg_buf, newPage.data(), pageSize);
}

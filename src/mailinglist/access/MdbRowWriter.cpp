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
#include "mailinglist/access/MdbRowLayout.h"

namespace {

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
// Jet 3 files (the one libmdb reads them with), UCS-2 little-endian for later ones. Where
// the field allows it, later formats keep text of characters up to U+00FF compressed, as
// the database engine does: a marker, then one byte per character.
std::string EncodeMdbText(const MdbHandle& mdb, MdbColumn& column, const std::string& utf8) {
    if (mdb.f->jet_version == MDB_VER_JET3) {
        const char* charset = std::getenv("MDB_JET3_CHARSET");
        return Iconv(utf8, charset != nullptr && *charset != '\0' ? charset : "CP1252");
    }
    const std::string wide = Iconv(utf8, "UCS-2LE");
    const char* compression = mdb_col_get_prop(&column, "UnicodeCompression");
    if (compression == nullptr || std::strcmp(compression, "yes") != 0) return wide;
    std::string compressed = "\xff\xfe";
    for (size_t i = 0; i < wide.size(); i += 2) {
        // A zero byte would switch to uncompressed characters.
        if (wide[i] == '\0' || wide[i + 1] != '\0') return wide;
        compressed += wide[i];
    }
    return compressed.size() < wide.size() ? compressed : wide;
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

    // An empty barcode clears the field: as a null unless the field must hold a value, as
    // an empty text where the field allows one, and not at all otherwise.
    const char* required = mdb_col_get_prop(target, "Required");
    const char* zeroLength = mdb_col_get_prop(target, "AllowZeroLength");
    const bool mustHoldValue = required != nullptr && required[0] == 'y';
    if (value.empty() && mustHoldValue && !(zeroLength != nullptr && zeroLength[0] == 'y')) {
        throw MarrowbyError("There is no barcode for " + recordName + ", and the field " +
                            fieldName + " must hold a text that is not empty.");
    }
    const bool storeNull = value.empty() && !mustHoldValue;
    const std::string stored = EncodeMdbText(mdb, *target, value);
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

// Walks the table's usage map page by page and checks each page's header, its row offset
// table and the structure of each row it holds.
#include "mailinglist/access/MdbPageCheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "mailinglist/access/MdbRowLayout.h"

namespace {

constexpr unsigned char kDataPage = 0x01;

unsigned long Get32(const std::string& bytes, size_t at) {
    return Get16(bytes, at) | (static_cast<unsigned long>(Get16(bytes, at + 2)) << 16);
}

// The end of the fixed-length data a row of columnCount columns holds, counted from the
// start of the row; the name of a column whose data would end beyond limit goes to overrun.
size_t FixedDataEnd(const MdbTableDef& table, unsigned columnCount, size_t countSize, size_t limit,
                    std::string& overrun) {
    size_t end = countSize;
    for (unsigned i = 0; i < table.num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table.columns, i));
        if (!column->is_fixed || static_cast<unsigned>(column->row_col_num) >= columnCount)
            continue;
        const size_t columnEnd = countSize + static_cast<size_t>(column->fixed_offset) +
                                 static_cast<size_t>(column->col_size);
        if (columnEnd > limit && overrun.empty()) overrun = column->name;
        end = std::max(end, columnEnd);
    }
    return end;
}

// What is wrong with one stored row, or empty.
std::string RowFault(const std::string& row, const MdbTableDef& table, bool jet3) {
    const size_t countSize = jet3 ? 1 : 2;
    if (row.size() <= countSize) return "it is too short to be a row";
    const unsigned columnCount = jet3 ? Byte(row, 0) : Get16(row, 0);
    if (columnCount == 0) return "it counts no columns";
    const size_t maskSize = (columnCount + 7) / 8;
    std::string overrun;
    // Rows of a table without variable-length columns have no offset table: the fixed
    // data and the null mask fill them.
    if (table.num_var_cols == 0) {
        if (row.size() < countSize + maskSize ||
            FixedDataEnd(table, columnCount, countSize, row.size() - maskSize, overrun) >
                row.size() - maskSize)
            return "its fixed-length column " + overrun + " runs past its end";
        return {};
    }
    const std::optional<RowParts> parts = SplitRow(row, jet3);
    if (!parts)
        return "its column offsets do not fit in its " + std::to_string(row.size()) + " bytes";
    if (parts->variable.size() > columnCount)
        return "it counts " + std::to_string(columnCount) + " columns and " +
               std::to_string(parts->variable.size()) + " of variable length";
    // The fixed-length data lies between the column count and the first variable column.
    FixedDataEnd(table, columnCount, countSize, parts->prefix.size(), overrun);
    if (!overrun.empty())
        return "its fixed-length column " + overrun + " runs into its other columns";
    return {};
}

// What is wrong with one data page of the table, or empty.
std::string PageFault(const std::string& page, const MdbTableDef& table, unsigned long filePages) {
    const MdbHandle& mdb = *table.entry->mdb;
    const bool jet3 = mdb.f->jet_version == MDB_VER_JET3;
    const size_t pageSize = page.size();
    if (static_cast<unsigned char>(page[0]) != kDataPage) return "it is not a data page";
    if (Get32(page, 4) != table.entry->table_pg) return "it names another table as its owner";
    const size_t countOffset = mdb.fmt->row_count_offset;
    const size_t rowCount = Get16(page, countOffset);
    const size_t tableEnd = countOffset + 2 + 2 * rowCount;
    if (tableEnd > pageSize) return "its row offset table is longer than the page";
    // Rows lie back to back from the end of the page downwards, in the order of the table.
    size_t end = pageSize;
    for (size_t i = 0; i < rowCount; ++i) {
        const unsigned entry = Get16(page, countOffset + 2 + 2 * i);
        const size_t start = entry & kRowPositionMask;
        const std::string rowName = "row " + std::to_string(i + 1);
        if (start < tableEnd || start > end)
            return rowName + " begins at byte " + std::to_string(start) + ", outside its place";
        const std::string row = page.substr(start, end - start);
        end = start;
        if ((entry & kDeletedRow) != 0) continue;
        if ((entry & kOverflowRow) != 0) {
            // The row stands on another page; its place holds where.
            if (row.size() < 4 || Get32(row, 0) >> 8 >= filePages)
                return rowName + " points to a page that is not in the file";
            continue;
        }
        if (const std::string fault = RowFault(row, table, jet3); !fault.empty())
            return rowName + " is damaged: " + fault;
    }
    if (Get16(page, 2) != end - tableEnd)
        return "its free space of " + std::to_string(Get16(page, 2)) +
               " bytes does not match its rows, which leave " + std::to_string(end - tableEnd);
    return {};
}

}  // namespace

std::string FindDamagedDataPage(MdbTableDef& table, int fd) {
    MdbHandle* mdb = table.entry->mdb;
    const size_t pageSize = static_cast<size_t>(mdb->fmt->pg_size);
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return std::string("It cannot be read (") + std::strerror(errno) + ").";
    const unsigned long filePages = static_cast<unsigned long>(info.st_size) / pageSize;
    std::string page(pageSize, '\0');
    for (gint32 number = mdb_map_find_next(mdb, table.usage_map, table.map_sz, 0); number > 0;
         number = mdb_map_find_next(mdb, table.usage_map, table.map_sz, number)) {
        const auto at = static_cast<unsigned long>(number);
        const std::string where = "Page " + std::to_string(at) + " of the table " + table.name;
        if (at >= filePages) return where + " lies beyond the end of the file, which is cut short.";
        if (pread(fd, page.data(), pageSize, static_cast<off_t>(at * pageSize)) !=
            static_cast<ssize_t>(pageSize))
            return where + " cannot be read (" + std::strerror(errno) + ").";
        if (const std::string fault = PageFault(page, table, filePages); !fault.empty())
            return where + " is damaged: " + fault + ".";
    }
    return {};
}

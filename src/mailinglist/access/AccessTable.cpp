// The table layer over libmdb: reading with its forward cursor (moving back re-reads from
// the start), writing the one text field of the current record through MdbRowWriter.
#include "mailinglist/access/AccessTable.h"

#include <fcntl.h>
#include <unistd.h>

#include <QString>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include "engine/MarrowbyError.h"
#include "mailinglist/ListFile.h"
#include "mailinglist/access/MdbCatalogCheck.h"
#include "mailinglist/access/MdbLibrary.h"
#include "mailinglist/access/MdbPageCheck.h"
#include "mailinglist/access/MdbRowWriter.h"

namespace marrowby {

namespace {

// Access's "Large Number", a 64-bit integer, which libmdb does not name.
constexpr int kLargeNumberType = 0x13;
// Far longer than any sound catalog takes to read.
constexpr std::chrono::seconds kCatalogTimeLimit{15};

// Opens the database or says why not.
MdbHandlePtr OpenDatabase(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw MarrowbyError("The file " + LastPathComponent(path) + " does not exist.");
    }
    if (!std::ifstream(path, std::ios::binary)) {
        throw MarrowbyError("The file " + LastPathComponent(path) + " cannot be opened (" +
                            std::strerror(errno) + ").");
    }
    MdbHandlePtr mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb || mdb->fmt == nullptr || mdb->f == nullptr || mdb->fmt->pg_size <= 0) {
        throw MarrowbyError("The file " + LastPathComponent(path) +
                            " is not an Access database that Marrowby can read.");
    }
    // A database is made of whole pages; libmdb can loop for ever on a cut-off last page.
    if (std::filesystem::file_size(path, error) % mdb->fmt->pg_size != 0 || error) {
        throw MarrowbyError("The file " + LastPathComponent(path) +
                            " is damaged: it ends in the middle of a page.");
    }
    if (!MdbCatalogReadsInTime(path, kCatalogTimeLimit) ||
        mdb_read_catalog(mdb.get(), MDB_TABLE) == nullptr) {
        throw MarrowbyError("The file " + LastPathComponent(path) +
                            " is not an Access database that Marrowby can read.");
    }
    return mdb;
}

bool IsUserTable(const MdbCatalogEntry* entry) {
    return entry->object_type == MDB_TABLE &&
           mdb_is_user_table(const_cast<MdbCatalogEntry*>(entry));
}

AccessFieldType TypeOf(const MdbColumn& column) {
    switch (column.col_type) {
        case MDB_TEXT:
            return AccessFieldType::Text;
        case MDB_LONGINT:
            return AccessFieldType::Integer32;
        case kLargeNumberType:
            return AccessFieldType::Integer64;
        case MDB_FLOAT:
        case MDB_DOUBLE:
            return AccessFieldType::Float;
        default:
            return AccessFieldType::Other;
    }
}

bool SameName(const std::string& a, const std::string& b) {
    return QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0;
}

size_t CharacterCount(const std::string& utf8) {
    size_t count = 0;
    for (const char byte : utf8) count += (static_cast<unsigned char>(byte) & 0xc0) != 0x80;
    return count;
}

}  // namespace

struct AccessTable::Open {
    MdbHandlePtr mdb;
    MdbTablePtr table;
    std::vector<std::string> names;
    std::vector<std::vector<char>> bound;
    std::vector<int> boundLength;
    std::vector<std::string> values;
    long recordCount = 0;
    long position = -1;  // 0-based index of the current record
    bool eof = true;
    MdbRowLocation location;
    bool editing = false;
    int pendingField = -1;
    std::string pendingValue;
    int fd = -1;

    ~Open() {
        if (fd >= 0) close(fd);
    }

    MdbColumn& column(int position) const {
        return *static_cast<MdbColumn*>(g_ptr_array_index(table->columns, position));
    }

    void rewind() {
        mdb_rewind_table(table.get());
        position = -1;
    }

    // Reads the next record and keeps its values; false at the end of the table.
    bool fetch() {
        if (!mdb_fetch_row(table.get())) return false;
        ++position;
        location = {table->cur_phys_pg, static_cast<int>(table->cur_row) - 1};
        for (size_t i = 0; i < names.size(); ++i) {
            const MdbColumn& col = column(static_cast<int>(i));
            std::string& value = values[i];
            value.clear();
            if (bound[i].empty() || boundLength[i] == 0 || col.cur_value_len == 0) continue;
            const int start = col.cur_value_start;
            char number[64];
            switch (col.col_type) {
                case MDB_TEXT:
                    value.assign(bound[i].data(), strnlen(bound[i].data(), bound[i].size()));
                    break;
                case MDB_LONGINT:
                    value = std::to_string(static_cast<int32_t>(mdb_get_int32(mdb->pg_buf, start)));
                    break;
                case kLargeNumberType: {
                    int64_t large = 0;
                    std::memcpy(&large, mdb->pg_buf + start, sizeof large);
                    value = std::to_string(large);
                    break;
                }
                case MDB_FLOAT:
                    std::snprintf(number, sizeof number, "%.15g",
                                  static_cast<double>(mdb_get_single(mdb->pg_buf, start)));
                    value = number;
                    break;
                case MDB_DOUBLE:
                    std::snprintf(number, sizeof number, "%.15g",
                                  mdb_get_double(mdb->pg_buf, start));
                    value = number;
                    break;
            }
        }
        return true;
    }

    // Moves to the record at index (0-based) by reading from the start.
    void moveTo(long index) {
        rewind();
        while (position < index && fetch()) {
        }
    }
};

AccessTable::AccessTable() = default;
AccessTable::~AccessTable() = default;

void AccessTable::GetTableNames(const std::string& databasePath, std::vector<std::string>& list) {
    list.clear();
    MdbHandlePtr mdb = OpenDatabase(databasePath);
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        const auto* entry = static_cast<const MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (IsUserTable(entry)) list.emplace_back(entry->object_name);
    }
}

void AccessTable::setDatabaseName(const std::string& path) {
    if (Active()) throw MarrowbyError("The database cannot be changed while its table is open.");
    databaseName_ = path;
}

void AccessTable::setTableName(const std::string& name) {
    if (Active()) throw MarrowbyError("The table cannot be changed while it is open.");
    tableName_ = name;
}

bool AccessTable::Active() const { return open_ != nullptr; }

void AccessTable::setActive(bool active) {
    if (active == Active()) return;
    if (!active) {
        std::unique_ptr<Open> closing = std::move(open_);
        if (closing->fd >= 0 && fdatasync(closing->fd) != 0) {
            throw MarrowbyError("The changes to " + LastPathComponent(databaseName_) +
                                " could not be saved (" + std::strerror(errno) + ").");
        }
        return;
    }
    auto open = std::make_unique<Open>();
    open->mdb = OpenDatabase(databaseName_);
    MdbCatalogEntry* found = nullptr;
    for (unsigned i = 0; i < open->mdb->num_catalog && found == nullptr; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(open->mdb->catalog, i));
        if (IsUserTable(entry) && tableName_ == entry->object_name) found = entry;
    }
    if (found == nullptr) {
        throw MarrowbyError("The database " + LastPathComponent(databaseName_) +
                            " has no table named " + tableName_ + ".");
    }
    open->table.reset(mdb_read_table(found));
    if (!open->table || mdb_read_columns(open->table.get()) == nullptr) {
        throw MarrowbyError("The table " + tableName_ + " of " + LastPathComponent(databaseName_) +
                            " cannot be read.");
    }
    mdb_read_indices(open->table.get());
    const unsigned columns = open->table->num_cols;
    open->names.resize(columns);
    open->values.resize(columns);
    open->bound.resize(columns);
    open->boundLength.resize(columns);
    for (unsigned i = 0; i < columns; ++i) {
        MdbColumn& col = open->column(static_cast<int>(i));
        open->names[i] = col.name;
        // Only the types that are read get bound, so memo and OLE data is never fetched.
        if (TypeOf(col) == AccessFieldType::Other) continue;
        open->bound[i].assign(open->mdb->bind_size, '\0');
        mdb_bind_column(open->table.get(), static_cast<int>(i) + 1, open->bound[i].data(),
                        &open->boundLength[i]);
    }
    open->rewind();
    while (open->fetch()) {
    }
    open->recordCount = open->position + 1;
    open_ = std::move(open);
    First();
}

void AccessTable::requireActive() const {
    if (!Active()) throw MarrowbyError("The table " + tableName_ + " is not open.");
}

void AccessTable::First() {
    requireActive();
    post();
    open_->rewind();
    open_->eof = !open_->fetch();
}

void AccessTable::Next() {
    requireActive();
    post();
    if (open_->eof) return;
    if (!open_->fetch()) open_->eof = true;
}

void AccessTable::Prior() {
    requireActive();
    post();
    if (open_->position <= 0) return;
    open_->moveTo(open_->position - 1);
    open_->eof = false;
}

bool AccessTable::Eof() const { return !Active() || open_->eof; }

long AccessTable::RecordCount() const { return Active() ? open_->recordCount : 0; }

long AccessTable::RecNo() const { return Active() ? open_->position + 1 : 0; }

const std::vector<std::string>& AccessTable::FieldNames() const {
    static const std::vector<std::string> none;
    return Active() ? open_->names : none;
}

AccessFieldType AccessTable::FieldType(int position) const {
    requireActive();
    return TypeOf(open_->column(position));
}

std::string AccessTable::FieldText(int position) const {
    requireActive();
    if (position < 0 || position >= static_cast<int>(open_->values.size())) {
        throw MarrowbyError("The table " + tableName_ + " has no field " +
                            std::to_string(position + 1) + ".");
    }
    return open_->values[position];
}

int AccessTable::FieldSize(int position) const {
    requireActive();
    const MdbColumn& col = open_->column(position);
    if (col.col_type != MDB_TEXT) return 0;
    return open_->mdb->f->jet_version == MDB_VER_JET3 ? col.col_size : col.col_size / 2;
}

bool AccessTable::FieldIndexed(int position) const {
    requireActive();
    const MdbTableDef& table = *open_->table;
    for (unsigned i = 0; table.indices != nullptr && i < table.num_idxs; ++i) {
        const auto* index = static_cast<const MdbIndex*>(g_ptr_array_index(table.indices, i));
        for (unsigned k = 0; k < index->num_keys && k < MDB_MAX_IDX_COLS; ++k) {
            if (index->key_col_num[k] == position + 1) return true;
        }
    }
    return false;
}

int AccessTable::FieldPosition(const std::string& name) const {
    const std::vector<std::string>& names = FieldNames();
    for (size_t i = 0; i < names.size(); ++i) {
        if (SameName(names[i], name)) return static_cast<int>(i);
    }
    return -1;
}

void AccessTable::Edit() {
    requireActive();
    if (open_->eof || open_->position < 0) {
        throw MarrowbyError("The table " + tableName_ + " has no current record to change.");
    }
    open_->editing = true;
}

void AccessTable::SetFieldByName(const std::string& name, const std::string& value) {
    requireActive();
    if (!open_->editing) throw MarrowbyError("The table " + tableName_ + " is not being edited.");
    const int position = FieldPosition(name);
    if (position < 0) {
        throw MarrowbyError("The table " + tableName_ + " has no field named " + name + ".");
    }
    if (FieldType(position) != AccessFieldType::Text) {
        throw MarrowbyError("The field " + name + " is not a text field.");
    }
    if (CharacterCount(value) > static_cast<size_t>(FieldSize(position))) {
        throw MarrowbyError("The text " + value + " is longer than the field " + name + " (" +
                            std::to_string(FieldSize(position)) + " characters).");
    }
    open_->pendingField = position;
    open_->pendingValue = value;
}

std::string AccessTable::DamageReport() const {
    requireActive();
    const int fd = ::open(databaseName_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "It cannot be read (" + std::string(std::strerror(errno)) + ").";
    const std::string report = FindDamagedDataPage(*open_->table, fd);
    close(fd);
    return report;
}

void AccessTable::post() {
    Open& open = *open_;
    if (!open.editing) return;
    open.editing = false;
    const int field = std::exchange(open.pendingField, -1);
    // Values are compared as read, not as stored: the same text may be stored in more than
    // one form, and a value already right is left as it is.
    if (field < 0 || open.values[field] == open.pendingValue) return;
    if (open.fd < 0) {
        open.fd = ::open(databaseName_.c_str(), O_RDWR | O_CLOEXEC);
        if (open.fd < 0) {
            throw MarrowbyError("Marrowby cannot write to " + LastPathComponent(databaseName_) +
                                " (" + std::strerror(errno) + ").");
        }
    }
    MdbRowWriter writer(*open.table, open.fd);
    writer.writeText(open.location, field, open.pendingValue,
                     "record " + std::to_string(open.position + 1) + " of the table " + tableName_);
    open.values[field] = open.pendingValue;
}

}  // namespace marrowby

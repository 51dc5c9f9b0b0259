// Identification, viewer and run for Access tables. A run that writes keeps a copy of the
// database beside it until every barcode has been stored, and puts it back on failure.
#include "mailinglist/access/AccessMailingList.h"

#include <fcntl.h>
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <filesystem>

#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"

namespace fs = std::filesystem;

namespace {

std::string FileNameOf(const std::string& path) { return fs::path(path).filename().string(); }

FieldList CurrentRecord(const AccessTable& table, int count) {
    FieldList fields(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) fields[i] = table.FieldText(i);
    return fields;
}

// Copies the database to a new file beside it; never replaces an existing file, which may be
// the copy an interrupted run left behind.
fs::path MakeBackup(const fs::path& database) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path backup = database;
        backup += attempt == 0 ? ".backup" : ".backup" + std::to_string(attempt);
        std::error_code error;
        if (fs::exists(backup, error)) continue;
        if (fs::copy_file(database, backup, fs::copy_options::none, error)) {
            // On disk before the first change to the database, so a crash cannot lose both.
            const int fd = open(backup.c_str(), O_RDONLY | O_CLOEXEC);
            const bool synced = fd >= 0 && fsync(fd) == 0;
            if (fd >= 0) close(fd);
            if (synced) return backup;
            fs::remove(backup, error);
            throw MarrowbyError("Marrowby could not save a backup copy of " +
                                FileNameOf(database.string()) + ", so the file was not changed.");
        }
        throw MarrowbyError("Marrowby could not make a backup copy of " +
                            FileNameOf(database.string()) + " (" + error.message() +
                            "), so the file was not changed.");
    }
    throw MarrowbyError("Marrowby could not find a free name for a backup copy of " +
                        FileNameOf(database.string()) + ", so the file was not changed.");
}

class AccessRecordSource : public RecordSource {
  public:
    AccessRecordSource(AccessTable& table, const RunPlan& plan) : table_(table), plan_(plan) {
        table_.First();
        if (plan.addMode) {
            checkBarcodeField();
            backup_ = MakeBackup(plan.listFileName);
        }
    }
    ~AccessRecordSource() override {
        if (!closed_) abandon();
    }

    bool readRecord(FieldList& fields) override {
        try {
            if (advance_) table_.Next();
            advance_ = true;
            if (table_.Eof()) return false;
            const int highest = plan_.roles.highest();
            fields.assign(static_cast<size_t>(std::max(highest + 1, plan_.fieldCount)),
                          std::string());
            for (int i = 0; i <= highest; ++i) fields[i] = table_.FieldText(i);
            return true;
        } catch (const MarrowbyError& error) {
            fail(error);
        }
    }

    void storeBarcode(const std::string& barcode) override {
        try {
            table_.Edit();
            table_.SetFieldByName(barcodeName_, barcode);
            table_.Next();
            advance_ = false;
        } catch (const MarrowbyError& error) {
            fail(error);
        }
    }

    void finish() override {
        try {
            table_.setActive(false);
        } catch (const MarrowbyError& error) {
            fail(error);
        }
        closed_ = true;
        if (!backup_.empty()) {
            std::error_code ignored;
            fs::remove(backup_, ignored);
        }
    }

    void abandon() noexcept override {
        if (closed_) return;
        closed_ = true;
        try {
            table_.setActive(false);
        } catch (const MarrowbyError&) {
        }
        restore();
    }

  private:
    void checkBarcodeField() {
        const int field = plan_.roles.barcode;
        if (field < 0 || field >= static_cast<int>(table_.FieldNames().size())) {
            throw MarrowbyError("No field of the table was chosen for the barcodes.");
        }
        barcodeName_ = table_.FieldNames()[field];
        const std::string intro = "The field " + barcodeName_ + " cannot hold the barcodes: ";
        if (table_.FieldType(field) != AccessFieldType::Text) {
            throw MarrowbyError(intro + "it is not a text field. Nothing was changed.");
        }
        if (table_.FieldSize(field) < kAccessBarcodeWidth) {
            throw MarrowbyError(intro + "it holds only " + std::to_string(table_.FieldSize(field)) +
                                " characters and a barcode needs " +
                                std::to_string(kAccessBarcodeWidth) + ". Nothing was changed.");
        }
        if (table_.FieldIndexed(field)) {
            throw MarrowbyError(intro +
                                "it is part of an index of the table. Nothing was changed.");
        }
        // Access keeps a lock file beside a database it has open; writing then would race it.
        for (const char* extension : {".ldb", ".laccdb"}) {
            const fs::path lock = fs::path(plan_.listFileName).replace_extension(extension);
            std::error_code error;
            if (fs::exists(lock, error)) {
                throw MarrowbyError(FileNameOf(plan_.listFileName) +
                                    " seems to be open in Access (its lock file " +
                                    FileNameOf(lock.string()) +
                                    " exists). Close it in Access, or delete the lock file if "
                                    "Access is not running, and try again. Nothing was changed.");
            }
        }
        if (access(plan_.listFileName.c_str(), W_OK) != 0) {
            throw MarrowbyError("Marrowby cannot write to " + FileNameOf(plan_.listFileName) +
                                ": the file is read-only. Nothing was changed.");
        }
    }

    // Puts the copy back over the database; says how that went, for the error message.
    std::string restore() noexcept {
        if (backup_.empty()) return {};
        std::error_code error;
        fs::rename(backup_, plan_.listFileName, error);
        const std::string copy = FileNameOf(backup_.string());
        backup_.clear();
        if (error) {
            return " The copy made before the run could not be put back (" + error.message() +
                   "); it is " + copy + ".";
        }
        return " The database was left as it was before the run.";
    }

    // Ends the run at once: the table closed, the database restored, the error reported.
    [[noreturn]] void fail(const MarrowbyError& error) {
        closed_ = true;
        try {
            table_.setActive(false);
        } catch (const MarrowbyError&) {
        }
        throw MarrowbyError(error.what() + restore());
    }

    AccessTable& table_;
    RunPlan plan_;
    std::string barcodeName_;
    fs::path backup_;
    bool advance_ = false;
    bool closed_ = false;
};

class AccessMailingList : public MailingList {
  public:
    AccessMailingList(AccessTable& table, std::string path)
        : table_(table), path_(std::move(path)) {}

    std::string kind() const override { return std::string(kAccess); }
    std::string fileName() const override { return path_; }
    long recordCount() const override { return table_.RecordCount(); }
    int fieldCount() const override { return static_cast<int>(table_.FieldNames().size()); }
    std::vector<std::string> fieldNames() override { return table_.FieldNames(); }

    FieldList identificationRecord(int) override {
        FieldList fields = CurrentRecord(table_, fieldCount());
        table_.Next();
        return fields;
    }

    int fieldWidth(int) const override { return -1; }
    // Only text fields take a barcode.
    int textCapacity(int position) const override { return table_.FieldSize(position); }

    std::vector<std::string> viewerFieldNames() override { return table_.FieldNames(); }

    FieldList viewerRecord(long n) override {
        const long current = table_.RecNo();
        if (n == current + 1 && current > 0 && !table_.Eof()) {
            table_.Next();
        } else if (n == current - 1) {
            table_.Prior();
        } else if (n != current || table_.Eof()) {
            table_.First();
            while (table_.RecNo() < n && !table_.Eof()) table_.Next();
        }
        return CurrentRecord(table_, fieldCount());
    }

    std::unique_ptr<RecordSource> openSource(const RunPlan& plan) override {
        return std::make_unique<AccessRecordSource>(table_, plan);
    }

  private:
    AccessTable& table_;
    std::string path_;
};

}  // namespace

std::unique_ptr<MailingList> OpenAccessMailingList(AccessTable& taTable1, const std::string& path,
                                                   const std::string& tableArgument,
                                                   const ChooseAccessTable& chooseTable) {
    taTable1.setActive(false);
    taTable1.setDatabaseName(path);
    taTable1.setTableName("");
    std::vector<std::string> tables;
    AccessTable::GetTableNames(path, tables);
    if (tables.empty()) throw MarrowbyError("The database " + FileNameOf(path) + " has no tables.");
    std::string chosen;
    if (tables.size() == 1) {
        chosen = tables.front();
    } else {
        const QString wanted = QString::fromUtf8(tableArgument);
        for (const std::string& table : tables) {
            if (!tableArgument.empty() &&
                QString::fromUtf8(table).compare(wanted, Qt::CaseInsensitive) == 0) {
                chosen = table;
                break;
            }
        }
        if (chosen.empty()) chosen = chooseTable(path);
    }
    if (chosen.empty()) return nullptr;
    taTable1.setTableName(chosen);
    taTable1.setActive(true);
    return std::make_unique<AccessMailingList>(taTable1, path);
}

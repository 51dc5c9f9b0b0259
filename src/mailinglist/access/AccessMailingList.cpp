// Identification, viewer and run for Access tables. A run that writes keeps a copy of the
// database beside it until every barcode has been stored, and puts it back on failure.
#include "mailinglist/access/AccessMailingList.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/ListFile.h"
#include "mailinglist/access/AccessDatabaseFile.h"
#include "platform/Prompter.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

FieldList CurrentRecord(const AccessTable& table, int count) {
    FieldList fields(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) fields[i] = table.FieldText(i);
    return fields;
}

class AccessRecordSource : public RecordSource {
  public:
    // prompter asks what to do with a copy an interrupted run left; nullptr when nobody is
    // there to answer.
    AccessRecordSource(AccessTable& table, const RunPlan& plan, Prompter* prompter)
        : table_(table), plan_(plan) {
        table_.First();
        if (!plan.addMode) return;
        checkBarcodeField();
        database_.emplace(plan.listFileName);
        settleLeftCopy(prompter);
        if (const std::string damage = table_.DamageReport(); !damage.empty()) {
            throw MarrowbyError("Marrowby will not write to " +
                                LastPathComponent(plan.listFileName) + ", which is damaged. " +
                                damage + " Nothing was changed.");
        }
        database_->makeBackup();
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
        if (database_) database_->removeBackup();
        database_.reset();
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
                throw MarrowbyError(LastPathComponent(plan_.listFileName) +
                                    " seems to be open in Access (its lock file " +
                                    LastPathComponent(lock.string()) +
                                    " exists). Close it in Access, or delete the lock file if "
                                    "Access is not running, and try again. Nothing was changed.");
            }
        }
        // A file whose permissions let nobody write it is read-only, even to a user the
        // system would let write it anyway.
        struct stat info {};
        if (stat(plan_.listFileName.c_str(), &info) != 0 || !AnyWriteBit(info.st_mode) ||
            access(plan_.listFileName.c_str(), W_OK) != 0) {
            throw MarrowbyError("Marrowby cannot write to " +
                                LastPathComponent(plan_.listFileName) +
                                ": the file is read-only. Nothing was changed.");
        }
    }

    // A copy left by an interrupted run is never replaced silently: the user restores the
    // database from it, or keeps both as they are and this run saves its own copy.
    void settleLeftCopy(Prompter* prompter) {
        const fs::path copy = database_->leftCopy();
        if (copy.empty()) return;
        const std::string name = LastPathComponent(plan_.listFileName);
        const std::string found = LastPathComponent(copy.string()) + " is a copy of " + name +
                                  " saved by a run of Marrowby that was interrupted; " + name +
                                  " may hold part of that run's changes.";
        const int answer =
            prompter == nullptr
                ? -1
                : prompter->ask(found + " Restore " + name +
                                    " from the copy (which is then removed), or keep both as "
                                    "they are?",
                                {"Restore", "Keep both", "Cancel"});
        if (answer == 1) return;
        if (answer != 0) {
            throw MarrowbyError(found +
                                " Restore the database from it or remove it, then run "
                                "again. Nothing was changed.");
        }
        if (const std::string error = database_->restoreFrom(copy); !error.empty()) {
            throw MarrowbyError(name + " could not be restored from " +
                                LastPathComponent(copy.string()) + " (" + error +
                                "); the copy is kept.");
        }
        // The table was read from the bytes just replaced.
        const std::vector<std::string> fields = table_.FieldNames();
        table_.setActive(false);
        table_.setActive(true);
        if (table_.FieldNames() != fields) {
            throw MarrowbyError(name + " was restored from " + LastPathComponent(copy.string()) +
                                ", and its fields are not the ones chosen. Open it again.");
        }
    }

    // Puts the copy back into the database; says how that went, for the error message.
    std::string restore() noexcept {
        if (!database_) return {};
        std::string outcome = database_->restoreBackup();
        database_.reset();
        return outcome;
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
    std::optional<AccessDatabaseFile> database_;
    bool advance_ = false;
    bool closed_ = false;
};

class AccessMailingList : public MailingList {
  public:
    AccessMailingList(AccessTable& table, std::string path, Prompter* prompter)
        : table_(table), path_(std::move(path)), prompter_(prompter) {}

    std::string kind() const override { return std::string(kAccess); }
    std::string fileName() const override { return path_; }
    long recordCount() const override { return table_.RecordCount(); }
    int fieldCount() const override { return static_cast<int>(table_.FieldNames().size()); }
    std::vector<std::string> fieldNames() override { return table_.FieldNames(); }

    // Pass n reads record n through a cursor of its own, leaving the run's where it is.
    FieldList identificationRecord(int pass) override {
        AccessTable& table = sampler();
        if (pass == 1) table.First();
        FieldList fields = CurrentRecord(table, fieldCount());
        table.Next();
        return fields;
    }

    std::vector<bool> textFieldsHoldingOnly(
        const std::function<bool(std::string_view)>& allowed) override {
        AccessTable& table = sampler();
        std::vector<bool> free;
        for (int i = 0; i < fieldCount(); ++i) {
            free.push_back(table.FieldType(i) == AccessFieldType::Text);
        }
        for (table.First(); !table.Eof() && std::count(free.begin(), free.end(), true) > 0;
             table.Next()) {
            for (int i = 0; i < fieldCount(); ++i) {
                free[i] = free[i] && allowed(table.FieldText(i));
            }
        }
        return free;
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
        sampler_.setActive(false);
        return std::make_unique<AccessRecordSource>(table_, plan, prompter_);
    }

  private:
    AccessTable& sampler() {
        if (!sampler_.Active()) {
            sampler_.setDatabaseName(path_);
            sampler_.setTableName(table_.TableName());
            sampler_.setActive(true);
        }
        return sampler_;
    }

    AccessTable& table_;
    AccessTable sampler_;  // identification's own cursor on the same table
    std::string path_;
    Prompter* prompter_;
};

}  // namespace

std::unique_ptr<MailingList> OpenAccessMailingList(AccessTable& taTable1, const std::string& path,
                                                   const std::string& tableArgument,
                                                   const ChooseAccessTable& chooseTable,
                                                   Prompter* prompter) {
    taTable1.setActive(false);
    taTable1.setDatabaseName(path);
    taTable1.setTableName("");
    std::vector<std::string> tables;
    AccessTable::GetTableNames(path, tables);
    if (tables.empty())
        throw MarrowbyError("The database " + LastPathComponent(path) + " has no tables.");
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
        if (chosen.empty()) chosen = chooseTable(path, tables);
    }
    if (chosen.empty()) return nullptr;
    taTable1.setTableName(chosen);
    taTable1.setActive(true);
    return std::make_unique<AccessMailingList>(taTable1, path, prompter);
}

}  // namespace marrowby

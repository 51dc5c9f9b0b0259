// The counting and identification side of a dBase table; the run goes through
// DbaseRecordSource.
#include "mailinglist/dbase/DbaseMailingList.h"

#include <fcntl.h>

#include <algorithm>

#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/ListFile.h"
#include "mailinglist/dbase/DbaseRecordSource.h"
#include "mailinglist/dbase/DbaseTable.h"

namespace marrowby {

namespace {

constexpr std::string_view kRecordsTooLong =
    "Sorry, but the records in this file have too many characters for Marrowby to handle.";

std::string UpToNul(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

class DbaseMailingList : public MailingList {
  public:
    DbaseMailingList(std::string path, DbaseLayout layout, std::string firstRecord)
        : path_(std::move(path)),
          layout_(std::move(layout)),
          firstRecord_(std::move(firstRecord)) {}

    std::string kind() const override { return std::string(kDbase); }
    std::string fileName() const override { return path_; }
    long recordCount() const override { return layout_.header.recordCount; }
    int fieldCount() const override { return int(layout_.fields.size()); }

    std::vector<std::string> fieldNames() override {
        std::vector<std::string> names;
        for (const DbaseField& field : layout_.fields) {
            // Bytes after a NUL are left-overs of the writing program, not part of the name.
            std::string name = UpToNul(field.storedName);
            while (!name.empty() && name.back() == ' ') name.pop_back();
            names.push_back(name);
        }
        return names;
    }

    // Every pass looks at the first record.
    FieldList identificationRecord(int) override {
        if (firstRecord_.empty()) return FieldList(layout_.fields.size());
        return SplitDbaseRecord(firstRecord_, layout_.fields);
    }

    int fieldWidth(int position) const override {
        if (position < 0 || position >= fieldCount()) return -1;
        return layout_.fields[std::size_t(position)].width;
    }

    std::vector<std::string> viewerFieldNames() override {
        std::vector<std::string> names;
        for (const DbaseField& field : layout_.fields) names.push_back(UpToNul(field.storedName));
        return names;
    }

    FieldList viewerRecord(long n) override {
        const DbaseFile file = openForReading();
        std::string record;
        readRecord(file, n, record);
        return SplitDbaseRecord(record, layout_.fields);
    }

    std::vector<bool> textFieldsHoldingOnly(
        const std::function<bool(std::string_view)>& allowed) override {
        std::vector<bool> free;
        for (const DbaseField& field : layout_.fields) free.push_back(field.type == 'C');
        const DbaseFile file = openForReading();
        std::string record;
        for (long n = 1; n <= recordCount() && std::count(free.begin(), free.end(), true) > 0;
             ++n) {
            readRecord(file, n, record);
            for (size_t i = 0; i < free.size(); ++i) {
                const DbaseField& field = layout_.fields[i];
                free[i] = free[i] && allowed(std::string_view(record).substr(
                                         std::size_t(field.offset), std::size_t(field.width)));
            }
        }
        return free;
    }

    std::unique_ptr<RecordSource> openSource(const RunPlan& plan) override {
        return OpenDbaseRecordSource(path_, layout_, plan);
    }

  private:
    // Record n, 1-based, as stored.
    void readRecord(const DbaseFile& file, long n, std::string& record) const {
        record.resize(std::size_t(layout_.header.recordLength));
        if (n < 1 || n > recordCount() ||
            file.readAt(record.data(), record.size(), layout_.recordStart(n - 1)) < record.size())
            throw MarrowbyError("Marrowby could not read record " + std::to_string(n) + " of " +
                                LastPathComponent(path_) + ".");
    }

    DbaseFile openForReading() const {
        try {
            return DbaseFile(path_, O_RDONLY);
        } catch (const MarrowbyError& error) {
            throw MarrowbyError("Marrowby could not read " + LastPathComponent(path_) + ": " +
                                error.what());
        }
    }

    std::string path_;
    DbaseLayout layout_;
    std::string firstRecord_;  // empty for a table without records
};

}  // namespace

std::unique_ptr<MailingList> OpenDbaseMailingList(const std::string& path, Prompter& prompter) {
    const std::string tablePath = DbaseTablePath(path);
    const DbaseFile file(tablePath, O_RDONLY);
    const DbaseHeader header = ReadDbaseHeader(file);
    if (header.recordLength > kMaxDbaseRecordLength) {
        prompter.setBusy(false);
        prompter.message(MessageIcon::Error, MessageBeep::None, std::string(kRecordsTooLong),
                         MessageButton::Cancel);
        return nullptr;
    }
    DbaseLayout layout = ReadDbaseLayout(file, header);
    std::string firstRecord;
    if (header.recordCount > 0) {
        firstRecord.resize(std::size_t(header.recordLength));
        if (file.readAt(firstRecord.data(), firstRecord.size(), layout.recordStart(0)) <
            firstRecord.size())
            throw MarrowbyError("The file is shorter than its header claims.");
    }
    return std::make_unique<DbaseMailingList>(tablePath, std::move(layout), std::move(firstRecord));
}

}  // namespace marrowby

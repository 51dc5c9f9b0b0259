// Reads a dBase table block by block and writes each live record's barcode field back
// into its place, touching no other byte of the file.
#include "mailinglist/dbase/DbaseRecordSource.h"

#include <fcntl.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "engine/MarrowbyError.h"
#include "mailinglist/ListFile.h"

namespace marrowby {

namespace {

// Records are read in blocks of about this size; a block holds whole records only.
constexpr std::size_t kBlockBytes = 256 * 1024;

// The length of a field's bytes without their trailing blanks, at least one byte. Eight
// bytes are compared at a time, from the end: fields are mostly blank padding, read for
// every record. In the first eight that are not all blanks, the last byte that differs from
// a blank is the highest nonzero byte of their difference from eight blanks.
std::size_t TrimmedLength(const char* bytes, std::size_t length) {
    constexpr std::uint64_t kBlanks = 0x2020202020202020;
    if constexpr (std::endian::native == std::endian::little) {
        while (length > 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + length - 8, 8);
            if (const std::uint64_t others = word ^ kBlanks; others != 0) {
                return length - 8 + std::size_t(63 - std::countl_zero(others)) / 8 + 1;
            }
            length -= 8;
        }
    }
    while (length > 1 && bytes[length - 1] == ' ') --length;
    return length;
}

// The ASCII letters of eight bytes in upper case, other bytes as they are: a byte's low
// seven bits reach the high bit when added to 0x1F from 'a' on, and to 0x05 past 'z'.
std::uint64_t UpperAsciiWord(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    const std::uint64_t low = word & (0x7F * kOnes);
    const std::uint64_t lower =
        (low + 0x1F * kOnes) & ~(low + 0x05 * kOnes) & ~word & (0x80 * kOnes);
    return word - (lower >> 2);
}

void UpperAsciiInPlace(std::string& text) {
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
        std::memcpy(&word, text.data() + i, 8);
        word = UpperAsciiWord(word);
        std::memcpy(text.data() + i, &word, 8);
    }
    for (; i < text.size(); ++i) {
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
}

class DbaseRecordSource : public RecordSource {
  public:
    DbaseRecordSource(const std::string& path, const DbaseLayout& layout, const RunPlan& plan);
    ~DbaseRecordSource() override { abandon(); }

    bool readRecord(FieldList& fields) override;
    void storeBarcode(const std::string& barcode) override;
    void finish() override;
    void abandon() noexcept override;

  private:
    // A barcode field changed in the block but not yet written to the file.
    struct PendingField {
        long record;      // 0-based
        std::size_t end;  // just past the field, from the start of the block
    };

    // Refuses a file whose header lengths do not lead exactly from record to record.
    void checkRecordsFitTheFile();
    void readBlock();
    // Writes the pending barcode fields; returns the reason when the file refuses them.
    std::string writePending();
    [[noreturn]] void fail(const std::string& reason);
    std::string writtenSoFar() const;

    std::string prefix_;  // "Marrowby could not update <name>: " or "... read ..."
    DbaseLayout layout_;
    bool addMode_;
    int highestField_;
    // The fields the run looks at, in file order; the others are not copied out.
    std::vector<int> roleFields_;
    const DbaseField* barcodeField_ = nullptr;
    std::optional<DbaseFile> file_;

    std::vector<char> block_;
    long recordsPerBlock_;
    long blockFirst_ = 0;  // record number (0-based) of the block's first record
    long blockRecords_ = 0;
    long nextRecord_ = 0;
    char* current_ = nullptr;  // the record last read, inside the block
    bool currentStored_ = false;

    std::vector<PendingField> pending_;
    long written_ = 0;             // records whose barcode field is on the file
    long lastWrittenRecord_ = -1;  // 0-based
};

DbaseRecordSource::DbaseRecordSource(const std::string& path, const DbaseLayout& layout,
                                     const RunPlan& plan)
    : prefix_("Marrowby could not " + std::string(plan.addMode ? "update " : "read ") +
              LastPathComponent(path) + ": "),
      layout_(layout),
      addMode_(plan.addMode),
      highestField_(plan.roles.highest()),
      recordsPerBlock_(std::max<long>(1, long(kBlockBytes) / layout.header.recordLength)) {
    const FieldRoles& roles = plan.roles;
    for (const int i : {roles.address, roles.zip5, roles.zip4, roles.zip9, roles.highrise,
                        roles.barcode, roles.deliveryPoint}) {
        if (i >= 0) roleFields_.push_back(i);
    }
    std::sort(roleFields_.begin(), roleFields_.end());
    roleFields_.erase(std::unique(roleFields_.begin(), roleFields_.end()), roleFields_.end());
    const int fieldCount = int(layout_.fields.size());
    if (highestField_ >= fieldCount)
        throw MarrowbyError(prefix_ + "it has no field " + std::to_string(highestField_ + 1) + ".");
    if (addMode_) {
        if (plan.roles.barcode < 0)
            throw MarrowbyError(prefix_ + "no field was chosen for the barcodes.");
        barcodeField_ = &layout_.fields[std::size_t(plan.roles.barcode)];
    }

    try {
        file_.emplace(path, addMode_ ? O_RDWR : O_RDONLY);
    } catch (const MarrowbyError& error) {
        throw MarrowbyError(prefix_ + error.what());
    }
    if (addMode_ && !file_->hasWriteBit()) throw MarrowbyError(prefix_ + "it is read-only.");
    if (addMode_ && !file_->tryLockExclusive())
        throw MarrowbyError(prefix_ + "another application is using it.");
    // The layout decides which bytes get written, so it must be the one identified.
    bool sameLayout = false;
    try {
        const DbaseHeader header = ReadDbaseHeader(*file_);
        sameLayout = header.recordLength <= kMaxDbaseRecordLength &&
                     ReadDbaseLayout(*file_, header) == layout_;
    } catch (const MarrowbyError& error) {
        throw MarrowbyError(prefix_ + "it has changed since it was opened. " + error.what());
    }
    if (!sameLayout) throw MarrowbyError(prefix_ + "it has changed since it was opened.");
    block_.resize(std::size_t(recordsPerBlock_) * std::size_t(layout_.header.recordLength));
    if (addMode_) checkRecordsFitTheFile();
}

void DbaseRecordSource::checkRecordsFitTheFile() {
    // A header length a few bytes off still leaves the records inside the file, but every
    // write would then land across two fields: the header must end right before the first
    // record, the size must come out exactly, and every record must begin with a deletion
    // flag.
    const std::uint64_t end = layout_.recordStart(layout_.header.recordCount);
    const std::uint64_t size = file_->size();
    char last = 0;
    if (size != end && !(size == end + 1 && file_->readAt(&last, 1, end) == 1 && last == '\x1A'))
        throw MarrowbyError(prefix_ + "its size of " + std::to_string(size) +
                            " bytes does not match its header, which gives " + std::to_string(end) +
                            " bytes (" + std::to_string(layout_.header.headerLength) +
                            " of header and " + std::to_string(layout_.header.recordCount) +
                            " records of " + std::to_string(layout_.header.recordLength) +
                            "), so its records cannot be found safely. Nothing was changed.");
    // The header ends with its terminator (or padding after it) right before record 1.
    char headerEnd = 0;
    file_->readAt(&headerEnd, 1, std::uint64_t(layout_.header.headerLength - 1));
    if (headerEnd != '\x0D' && headerEnd != '\0')
        throw MarrowbyError(prefix_ + "its header length of " +
                            std::to_string(layout_.header.headerLength) +
                            " bytes does not end where its header does, so its records cannot "
                            "be found safely. Nothing was changed.");
    for (nextRecord_ = 0; nextRecord_ < layout_.header.recordCount; nextRecord_ += blockRecords_) {
        readBlock();
        for (long n = 0; n < blockRecords_; ++n) {
            const char flag = block_[std::size_t(n) * std::size_t(layout_.header.recordLength)];
            if (flag == ' ' || flag == '*') continue;
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", unsigned(static_cast<unsigned char>(flag)));
            throw MarrowbyError(prefix_ + "record " + std::to_string(blockFirst_ + n + 1) +
                                " begins with the byte " + hex +
                                ", which is not a deletion flag, so its header does not match "
                                "its records. Nothing was changed.");
        }
    }
    nextRecord_ = blockFirst_ = blockRecords_ = 0;
}

bool DbaseRecordSource::readRecord(FieldList& fields) {
    if (!file_) throw MarrowbyError(prefix_ + "it is already closed.");
    current_ = nullptr;
    if (nextRecord_ >= layout_.header.recordCount) return false;
    if (nextRecord_ >= blockFirst_ + blockRecords_) readBlock();
    current_ = block_.data() +
               std::size_t(nextRecord_ - blockFirst_) * std::size_t(layout_.header.recordLength);
    currentStored_ = false;
    ++nextRecord_;

    if (fields.size() < layout_.fields.size()) fields.resize(layout_.fields.size());
    for (std::string& field : fields) field.clear();
    if (current_[0] != ' ') return true;  // deleted: no values, hence no barcode
    for (const int i : roleFields_) {
        const DbaseField& field = layout_.fields[std::size_t(i)];
        const char* bytes = current_ + field.offset;
        std::string& value = fields[std::size_t(i)];
        value.assign(bytes, TrimmedLength(bytes, std::size_t(field.width)));
        UpperAsciiInPlace(value);
    }
    return true;
}

void DbaseRecordSource::readBlock() {
    if (const std::string error = writePending(); !error.empty()) fail(error);
    blockFirst_ = nextRecord_;
    blockRecords_ = std::min(recordsPerBlock_, layout_.header.recordCount - nextRecord_);
    const std::size_t wanted =
        std::size_t(blockRecords_) * std::size_t(layout_.header.recordLength);
    std::size_t got = 0;
    try {
        got = file_->readAt(block_.data(), wanted, layout_.recordStart(blockFirst_));
    } catch (const MarrowbyError& error) {
        fail(error.what());
    }
    if (got < wanted) {
        const long whole = long(got / std::size_t(layout_.header.recordLength));
        fail("the file ends inside record " + std::to_string(blockFirst_ + whole + 1) + " of " +
             std::to_string(layout_.header.recordCount) + ".");
    }
}

void DbaseRecordSource::storeBarcode(const std::string& barcode) {
    if (!addMode_ || current_ == nullptr || !file_)
        throw MarrowbyError(prefix_ + "there is no record to store a barcode in.");
    if (current_[0] != ' ') return;  // a deleted record stays as it is
    const auto width = std::size_t(barcodeField_->width);
    if (barcode.size() > width)
        fail("the barcode " + barcode + " is longer than the barcode field, which holds " +
             std::to_string(width) + " characters.");
    char* field = current_ + barcodeField_->offset;
    std::memcpy(field, barcode.data(), barcode.size());
    std::memset(field + barcode.size(), ' ', width - barcode.size());
    if (!currentStored_)
        pending_.push_back({nextRecord_ - 1, std::size_t(field + width - block_.data())});
    currentStored_ = true;
}

std::string DbaseRecordSource::writePending() {
    if (pending_.empty()) return "";
    const std::size_t width = std::size_t(barcodeField_->width);
    // One write from the first changed field to the end of the last: the bytes between
    // are the ones just read, so the file keeps them as they were.
    const std::size_t begin = pending_.front().end - width;
    const std::size_t end = pending_.back().end;
    std::string error;
    const std::size_t done = file_->writeAt(block_.data() + begin, end - begin,
                                            layout_.recordStart(blockFirst_) + begin, error);
    for (const PendingField& field : pending_) {
        if (field.end > begin + done) break;
        ++written_;
        lastWrittenRecord_ = field.record;
    }
    pending_.clear();
    return error;
}

std::string DbaseRecordSource::writtenSoFar() const {
    if (!addMode_) return "";
    if (written_ == 0) return " No barcode was written; the file is as it was.";
    return " Barcodes were written to " + std::to_string(written_) +
           (written_ == 1 ? " record" : " records") + ", up to record " +
           std::to_string(lastWrittenRecord_ + 1) + "; the records after it are as they were.";
}

void DbaseRecordSource::fail(const std::string& reason) {
    // What was stored before the failure still goes to the file, so that the message can
    // say exactly how far the barcodes reached.
    const std::string writeError = writePending();
    file_.reset();
    throw MarrowbyError(prefix_ + reason + (writeError.empty() ? "" : " " + writeError) +
                        writtenSoFar());
}

void DbaseRecordSource::finish() {
    if (!file_) return;
    if (const std::string error = writePending(); !error.empty()) fail(error);
    if (addMode_ && written_ > 0) {
        const std::string error = file_->sync();
        if (!error.empty()) {
            file_.reset();
            throw MarrowbyError(prefix_ + error +
                                " The barcodes written may not all have reached the disk.");
        }
    }
    file_.reset();
}

void DbaseRecordSource::abandon() noexcept {
    if (!file_) return;
    writePending();  // a run that has already failed can do no more with its reason
    file_.reset();
}

}  // namespace

std::unique_ptr<RecordSource> OpenDbaseRecordSource(const std::string& path,
                                                    const DbaseLayout& layout,
                                                    const RunPlan& plan) {
    return std::make_unique<DbaseRecordSource>(path, layout, plan);
}

}  // namespace marrowby

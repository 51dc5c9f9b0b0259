// The layout of a dBase table file, read and checked from its header and field
// descriptors, and the byte-level file access shared by the mailing list and the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mailinglist/RecordSource.h"

namespace marrowby {

inline constexpr int kMaxDbaseRecordLength = 10000;
inline constexpr int kMaxDbaseFields = 100;

struct DbaseField {
    std::string storedName;  // the 10 name bytes as the descriptor holds them
    int width = 0;
    int offset = 0;   // from the start of the record, the flag byte included
    char type = 'C';  // 'C' for characters, 'N' numbers, 'D' dates and so on
    bool operator==(const DbaseField&) const = default;
};

struct DbaseHeader {
    long recordCount = 0;
    int headerLength = 0;  // where the first record begins
    int recordLength = 0;  // the flag byte included
    bool operator==(const DbaseHeader&) const = default;
};

struct DbaseLayout {
    DbaseHeader header;
    std::vector<DbaseField> fields;
    bool operator==(const DbaseLayout&) const = default;

    std::uint64_t recordStart(long index) const {
        return std::uint64_t(header.headerLength) +
               std::uint64_t(index) * std::uint64_t(header.recordLength);
    }
};

// An open file, closed with the object. Failures throw MarrowbyError whose text is the
// reason alone, for the caller to place in its own message.
class DbaseFile {
  public:
    DbaseFile(const std::string& path, int openFlags);
    ~DbaseFile();
    DbaseFile(const DbaseFile&) = delete;
    DbaseFile& operator=(const DbaseFile&) = delete;

    // Reads up to size bytes; fewer only where the file ends.
    std::size_t readAt(char* data, std::size_t size, std::uint64_t offset) const;
    // Writes size bytes and returns how many reached the file; on a failure fewer, with
    // the reason in error.
    std::size_t writeAt(const char* data, std::size_t size, std::uint64_t offset,
                        std::string& error);
    std::uint64_t size() const;
    // False when the file's permissions give nobody the right to write it; such a file is
    // read-only even to a user whose rights would let the system write it anyway.
    bool hasWriteBit() const;
    // Takes exclusive locks of both kinds other programs use (whole-file and record
    // locks) without waiting; false when another open file holds one.
    bool tryLockExclusive();
    // Flushes written data to the disk; empty on success, else the reason.
    std::string sync();

  private:
    int fd_ = -1;
};

// The table file to open for a chosen file: a memo file (".DBT", any case) stands for the
// table of the same name beside it, whose extension is ".DBF" in any letter case.
std::string DbaseTablePath(const std::string& chosenPath);

// Reads the fixed 32-byte header. Throws when the file is too short to hold one.
DbaseHeader ReadDbaseHeader(const DbaseFile& file);
// Reads the field descriptors and checks that they, the header and the file size agree.
// The record length must already be known to be at most kMaxDbaseRecordLength.
DbaseLayout ReadDbaseLayout(const DbaseFile& file, const DbaseHeader& header);

// Record bytes split into the fields as stored, trailing spaces kept.
FieldList SplitDbaseRecord(std::string_view record, const std::vector<DbaseField>& fields);

}  // namespace marrowby

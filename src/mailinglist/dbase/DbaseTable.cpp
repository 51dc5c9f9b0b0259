// Header, field descriptors and byte access of dBase table files.
#include "mailinglist/dbase/DbaseTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/AsciiUpper.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/ListFile.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

constexpr int kHeaderSize = 32;
constexpr int kDescriptorSize = 32;
constexpr int kNameSize = 10;
constexpr int kTypeByte = 11;
constexpr int kWidthByte = 16;
constexpr char kDescriptorEnd = '\x0D';

unsigned LittleEndian(const char* bytes, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// The system's text for an errno value, as a sentence.
std::string SystemReason(int errorNumber) { return std::string(std::strerror(errorNumber)) + "."; }

}  // namespace

DbaseFile::DbaseFile(const std::string& path, int openFlags) {
    mode_t mode = 0;
    fd_ = OpenRegularFile(path, openFlags, mode);
    if (fd_ < 0) throw MarrowbyError(errno != 0 ? SystemReason(errno) : "It is not a file.");
}

DbaseFile::~DbaseFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t DbaseFile::readAt(char* data, std::size_t size, std::uint64_t offset) const {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd_, data + done, size - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw MarrowbyError(SystemReason(errno));
        if (n == 0) break;
        done += std::size_t(n);
    }
    return done;
}

std::size_t DbaseFile::writeAt(const char* data, std::size_t size, std::uint64_t offset,
                               std::string& error) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd_, data + done, size - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = SystemReason(n < 0 ? errno : EIO);
            break;
        }
        done += std::size_t(n);
    }
    // The disk starts on these bytes while the run works on the next block, so that the
    // flush at the end has little left to wait for; sync() still decides that they are there.
    if (done > 0) ::sync_file_range(fd_, off_t(offset), off_t(done), SYNC_FILE_RANGE_WRITE);
    return done;
}

std::uint64_t DbaseFile::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) throw MarrowbyError(SystemReason(errno));
    return std::uint64_t(info.st_size);
}

bool DbaseFile::hasWriteBit() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) throw MarrowbyError(SystemReason(errno));
    return AnyWriteBit(info.st_mode);
}

bool DbaseFile::tryLockExclusive() { return TryLockWholeFile(fd_); }

std::string DbaseFile::sync() {
    return ::fdatasync(fd_) == 0 ? std::string() : SystemReason(errno);
}

std::string DbaseTablePath(const std::string& chosenPath) {
    const fs::path chosen(chosenPath);
    const std::string extension = chosen.extension().string();
    if (AsciiUpper(extension) != ".DBT") return chosenPath;

    // The table's extension usually has the memo file's letter case; try that first.
    fs::path mirrored = chosen;
    mirrored.replace_extension(extension.substr(0, 3) + (extension[3] == 't' ? "f" : "F"));
    std::error_code ignored;
    if (fs::is_regular_file(mirrored, ignored)) return mirrored.string();

    const fs::path folder = chosen.has_parent_path() ? chosen.parent_path() : fs::path(".");
    std::vector<fs::path> tables;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        const fs::path& candidate = entry.path();
        if (candidate.stem() == chosen.stem() &&
            AsciiUpper(candidate.extension().string()) == ".DBF" && entry.is_regular_file(ignored))
            tables.push_back(candidate);
    }
    if (tables.empty())
        throw MarrowbyError("It holds the memos of a table, and the table file " +
                            chosen.stem().string() + ".dbf is not beside it.");
    return std::min_element(tables.begin(), tables.end())->string();
}

DbaseHeader ReadDbaseHeader(const DbaseFile& file) {
    char bytes[kHeaderSize];
    if (file.readAt(bytes, kHeaderSize, 0) < kHeaderSize)
        throw MarrowbyError("The file is too short to be a dBase table.");
    DbaseHeader header;
    header.recordCount = long(LittleEndian(bytes + 4, 4));
    header.headerLength = int(LittleEndian(bytes + 8, 2));
    header.recordLength = int(LittleEndian(bytes + 10, 2));
    return header;
}

DbaseLayout ReadDbaseLayout(const DbaseFile& file, const DbaseHeader& header) {
    const int fieldCount = (header.headerLength - 1) / kDescriptorSize - 1;
    if (header.headerLength < 1 || fieldCount < 1)
        throw MarrowbyError("Its header length of " + std::to_string(header.headerLength) +
                            " bytes leaves no room for field descriptors.");
    if (fieldCount > kMaxDbaseFields)
        throw MarrowbyError("It has " + std::to_string(fieldCount) + " fields; at most " +
                            std::to_string(kMaxDbaseFields) + " can be handled.");

    std::string descriptors(std::size_t(fieldCount) * kDescriptorSize, '\0');
    if (file.readAt(descriptors.data(), descriptors.size(), kHeaderSize) < descriptors.size())
        throw MarrowbyError("The file is shorter than its header claims.");

    DbaseLayout layout{header, {}};
    int offset = 1;
    for (int n = 0; n < fieldCount; ++n) {
        const char* descriptor = descriptors.data() + n * kDescriptorSize;
        // A descriptor list that ends early means the header length counts other bytes
        // as fields, and every field offset after it would be wrong.
        if (descriptor[0] == kDescriptorEnd)
            throw MarrowbyError("Its header length of " + std::to_string(header.headerLength) +
                                " bytes does not match its " + std::to_string(n) +
                                " field descriptors.");
        const int width = static_cast<unsigned char>(descriptor[kWidthByte]);
        layout.fields.push_back(
            {std::string(descriptor, kNameSize), width, offset, descriptor[kTypeByte]});
        offset += width;
    }
    if (offset != header.recordLength)
        throw MarrowbyError("Its record length of " + std::to_string(header.recordLength) +
                            " bytes does not match its fields, which take " +
                            std::to_string(offset) + " bytes.");
    if (file.size() < layout.recordStart(header.recordCount))
        throw MarrowbyError("The file is shorter than its header claims: it should hold " +
                            std::to_string(header.recordCount) + " records.");
    return layout;
}

FieldList SplitDbaseRecord(std::string_view record, const std::vector<DbaseField>& fields) {
    FieldList values;
    values.reserve(fields.size());
    for (const DbaseField& field : fields)
        values.emplace_back(record.substr(std::size_t(field.offset), std::size_t(field.width)));
    return values;
}

}  // namespace marrowby

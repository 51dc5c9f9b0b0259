#include "mailinglist/text/TextLineReader.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"

namespace {
constexpr size_t kBufferSize = 1 << 16;

// The first CR, LF or NUL of the bytes, or size when there is none. Eight bytes are tested
// at a time (a byte is zero exactly where the word minus ones borrows into a clear high
// bit): every list is read twice in a run, and byte by byte this was its costliest loop.
size_t LineEnd(const char* bytes, size_t size) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighs = 0x8080808080808080;
    const auto hasZero = [](uint64_t word) { return (word - kOnes) & ~word & kHighs; };
    size_t n = 0;
    for (; n + 8 <= size; n += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + n, 8);
        if (hasZero(word) | hasZero(word ^ (kOnes * '\r')) | hasZero(word ^ (kOnes * '\n'))) break;
    }
    while (n < size && bytes[n] != '\r' && bytes[n] != '\n' && bytes[n] != '\0') ++n;
    return n;
}
}  // namespace

TextLineReader::TextLineReader(const std::string& path) : path_(path), buffer_(kBufferSize) {
    descriptor_ = OpenListFile(path, O_RDONLY);
}

TextLineReader::~TextLineReader() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool TextLineReader::fill() {
    if (endOfFile_) return false;
    ssize_t got;
    do {
        got = ::read(descriptor_, buffer_.data(), buffer_.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        throw MarrowbyError("Cannot read file " + LastPathComponent(path_) + ": " +
                            std::strerror(errno));
    }
    position_ = 0;
    length_ = static_cast<size_t>(got);
    if (got == 0) endOfFile_ = true;
    return got > 0;
}

FileIdentity TextLineReader::identity() const { return IdentityOf(descriptor_, path_); }

bool TextLineReader::atEnd() { return position_ >= length_ && !fill(); }

bool TextLineReader::readLine(std::string& line) {
    line.clear();
    if (atEnd()) return false;
    ++lineNumber_;
    for (;;) {
        const char* start = buffer_.data() + position_;
        const size_t available = length_ - position_;
        const size_t n = LineEnd(start, available);
        line.append(start, n);
        position_ += n;
        if (n < available) {
            const char end = buffer_[position_++];
            if (end == '\0') {
                throw MarrowbyError(LastPathComponent(path_) + " is not a text file: line " +
                                    std::to_string(lineNumber_) + " holds a NUL byte.");
            }
            if (end == '\r' && !atEnd() && buffer_[position_] == '\n') ++position_;
            return true;
        }
        if (!fill()) return true;
    }
}

std::string LastPathComponent(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

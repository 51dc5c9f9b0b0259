#include "mailinglist/text/TextLineReader.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"
#include "mailinglist/text/ByteScan.h"

namespace marrowby {

namespace {
// Large reads: a run reads every list byte twice, and each read costs a system call.
constexpr size_t kBufferSize = 1 << 20;
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
    bytesRead_ += got;
    if (got == 0) endOfFile_ = true;
    return got > 0;
}

size_t TextLineReader::lineEnd() const {
    const char* bytes = buffer_.data();
    return size_t(FindFirstOf<'\r', '\n', '\0'>(bytes + position_, bytes + length_) - bytes);
}

void TextLineReader::refuseNul() const {
    throw MarrowbyError(LastPathComponent(path_) + " is not a text file: line " +
                        std::to_string(lineNumber_) + " holds a NUL byte.");
}

FileIdentity TextLineReader::identity() const { return IdentityOf(descriptor_, path_); }

bool TextLineReader::atEnd() { return position_ >= length_ && !fill(); }

bool TextLineReader::readLine(std::string& line) {
    std::string_view view;
    const bool read = readLine(view);
    line.assign(view);
    return read;
}

bool TextLineReader::readLine(std::string_view& line) {
    line = {};
    if (atEnd()) return false;
    ++lineNumber_;
    // A line is copied only when it does not lie whole in one buffer.
    bool copied = false;
    straddling_.clear();
    for (;;) {
        const size_t start = position_;
        const size_t end = lineEnd();
        position_ = end;
        if (end == length_) {
            straddling_.append(buffer_.data() + start, end - start);
            copied = true;
            line = straddling_;
            if (!fill()) return true;
            continue;
        }
        const char byte = buffer_[position_++];
        if (byte == '\0') refuseNul();
        line = std::string_view(buffer_.data() + start, end - start);
        // A CR that ends the buffer is kept apart with its line: the LF that may follow it
        // is in the next buffer, which replaces this one.
        if (copied || (byte == '\r' && position_ == length_)) {
            straddling_.append(line);
            line = straddling_;
        }
        if (byte == '\r' && !atEnd() && buffer_[position_] == '\n') ++position_;
        return true;
    }
}

long TextLineReader::countLines() {
    long lines = 0;
    bool afterCr = false;  // the byte before this buffer was a CR, whose LF may follow
    bool open = false;     // the last byte seen was not a line end
    while (!atEnd()) {
        const char* bytes = buffer_.data();
        const auto* nul =
            static_cast<const char*>(std::memchr(bytes + position_, '\0', length_ - position_));
        const size_t end = nul != nullptr ? size_t(nul - bytes) : length_;
        lines += CountLineEnds(bytes + position_, bytes + end);
        if (afterCr && position_ < end && bytes[position_] == '\n') --lines;
        if (end < length_) {
            // The line that holds the NUL begins after the line ends before it.
            lineNumber_ += lines + 1;
            refuseNul();
        }
        if (position_ < end) {
            afterCr = bytes[end - 1] == '\r';
            open = !afterCr && bytes[end - 1] != '\n';
        }
        position_ = length_;
    }
    if (open) ++lines;
    lineNumber_ += lines;
    return lines;
}

}  // namespace marrowby

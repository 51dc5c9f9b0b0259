#include "mailinglist/text/TextLineReader.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

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
        size_t n = 0;
        while (n < available && start[n] != '\r' && start[n] != '\n' && start[n] != '\0') ++n;
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

#include "mailinglist/text/TextLineReader.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"
#include "mailinglist/text/BackgroundJob.h"
#include "mailinglist/text/ByteScan.h"

namespace marrowby {

namespace {
// Large reads: a run reads every list byte twice, and each read costs a system call.
constexpr size_t kBufferSize = 1 << 20;

// What counting the line ends of a piece of a file learns: enough for pieces counted apart
// to add up, in file order, to the count of the whole.
struct LineTally {
    long ends = 0;      // line ends before the first NUL, if any
    bool nul = false;   // the piece holds a NUL, which ends the count
    bool empty = true;  // no byte before that NUL or the piece's end
    bool startsWithLf = false;
    bool endsWithCr = false;  // counted as a line end, which an LF right after it shares
    bool endsOpen = false;    // the last byte is not a line end
};

LineTally TallyOf(const char* from, const char* to) {
    LineTally tally;
    const auto* nul = static_cast<const char*>(std::memchr(from, '\0', size_t(to - from)));
    const char* const end = nul != nullptr ? nul : to;
    tally.nul = nul != nullptr;
    tally.ends = CountLineEnds(from, end);
    if (from < end) {
        tally.empty = false;
        tally.startsWithLf = *from == '\n';
        tally.endsWithCr = end[-1] == '\r';
        tally.endsOpen = !tally.endsWithCr && end[-1] != '\n';
    }
    return tally;
}

// Adds the tally of the bytes right after those of `tally`.
void Append(LineTally& tally, const LineTally& next) {
    if (tally.nul) return;
    tally.ends += next.ends - (tally.endsWithCr && next.startsWithLf ? 1 : 0);
    tally.nul = next.nul;
    if (next.empty) return;
    if (tally.empty) tally.startsWithLf = next.startsWithLf;
    tally.empty = false;
    tally.endsWithCr = next.endsWithCr;
    tally.endsOpen = next.endsOpen;
}

// The tally of [from, to) of the file, read with pread so that two threads can share the
// descriptor; it ends early at the file's end or a NUL. Sets error to errno when a read
// fails.
LineTally TallyOfFile(int descriptor, off_t from, off_t to, std::vector<char>& buffer, int& error) {
    LineTally tally;
    while (from < to && !tally.nul) {
        const ssize_t got = ::pread(descriptor, buffer.data(),
                                    size_t(std::min<off_t>(to - from, off_t(buffer.size()))), from);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        Append(tally, TallyOf(buffer.data(), buffer.data() + got));
        from += got;
    }
    return tally;
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
    if (got < 0) refuseRead(errno);
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

void TextLineReader::refuseRead(int error) const {
    throw MarrowbyError("Cannot read file " + LastPathComponent(path_) + ": " +
                        std::strerror(error));
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
    LineTally tally = TallyOf(buffer_.data() + position_, buffer_.data() + length_);
    position_ = length_;
    // Most of the time of the count goes in copying the file out of the system, and the
    // run waits for it: a large rest is counted in two halves at once, on two processors.
    struct stat status {};
    if (!tally.nul && !endOfFile_ && ::fstat(descriptor_, &status) == 0 &&
        status.st_size - bytesRead_ >= kTwoHalvesFrom) {
        const off_t middle = bytesRead_ + (status.st_size - bytesRead_) / 2;
        std::vector<char> secondBuffer(kBufferSize);
        LineTally second;
        int firstError = 0;
        int secondError = 0;
        {
            BackgroundJob helper;
            helper.start([&] {
                second =
                    TallyOfFile(descriptor_, middle, status.st_size, secondBuffer, secondError);
            });
            Append(tally, TallyOfFile(descriptor_, bytesRead_, middle, buffer_, firstError));
        }
        if (const int error = firstError != 0 ? firstError : secondError; error != 0) {
            refuseRead(error);
        }
        Append(tally, second);
        // What was read with pread leaves the file's offset where it was; reading goes on
        // after it, in case the file has grown since.
        if (::lseek(descriptor_, status.st_size, SEEK_SET) < 0) refuseRead(errno);
        bytesRead_ = status.st_size;
    }
    while (!tally.nul && fill()) {
        Append(tally, TallyOf(buffer_.data(), buffer_.data() + length_));
        position_ = length_;
    }
    if (tally.nul) {
        // The line that holds the NUL begins after the line ends before it.
        lineNumber_ += tally.ends + 1;
        refuseNul();
    }
    const long lines = tally.ends + (tally.endsOpen ? 1 : 0);
    lineNumber_ += lines;
    return lines;
}

}  // namespace marrowby

#include "mailinglist/text/ReplacementFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"
#include "mailinglist/text/TextLineReader.h"

namespace {
constexpr size_t kFlushSize = 1 << 20;
}  // namespace

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string ScratchFileFor(const std::string& list) {
    const std::string name =
        LastPathComponent(list) == "mrbtemp.txt" ? "mrbtemp2.txt" : "mrbtemp.txt";
    return FolderOf(list) + "/" + name;
}

ReplacementFile::ReplacementFile(const std::string& target, const std::string& scratch)
    : target_(target), scratch_(scratch) {
    descriptor_ = ::open(scratch_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        throw MarrowbyError("Marrowby could not create this output file. (" + scratch_ + ": " +
                            std::strerror(errno) + ")");
    }
    buffer_.reserve(kFlushSize + 4096);
}

ReplacementFile::~ReplacementFile() { abandon(); }

void ReplacementFile::fail(const std::string& what, int error) {
    const std::string reason = std::strerror(error);
    abandon();
    throw MarrowbyError("Marrowby could not " + what + " " + LastPathComponent(target_) + ": " +
                        reason + ". The file was not changed.");
}

void ReplacementFile::flushBuffer() {
    size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t written = ::write(descriptor_, buffer_.data() + done, buffer_.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            fail("write", errno);
        }
        done += static_cast<size_t>(written);
    }
    buffer_.clear();
}

void ReplacementFile::writeLine(std::string_view line) {
    buffer_.append(line);
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushSize) flushBuffer();
}

void ReplacementFile::commit() {
    flushBuffer();
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0 &&
        ::fchmod(descriptor_, existing.st_mode & 07777) != 0) {
        fail("keep the permissions of", errno);
    }
    if (::fsync(descriptor_) != 0) fail("write", errno);
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) fail("write", errno);
    if (::rename(scratch_.c_str(), target_.c_str()) != 0) fail("replace", errno);
    scratch_.clear();
    const int folder = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void ReplacementFile::abandon() noexcept {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!scratch_.empty()) {
        ::unlink(scratch_.c_str());
        scratch_.clear();
    }
}

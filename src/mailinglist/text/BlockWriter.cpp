#include "mailinglist/text/BlockWriter.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace marrowby {

namespace {

// Writes the bytes at offset and starts the disk on them; 0 or the errno of the failure.
int WriteAt(int descriptor, const std::string& bytes, off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::pwrite(descriptor, bytes.data() + done, bytes.size() - done,
                                         offset + static_cast<off_t>(done));
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(written);
    }
    // Only a head start, so that the flush before the file is kept has little left to
    // wait for: that flush still decides whether everything reached the disk.
    if (!bytes.empty()) {
        ::sync_file_range(descriptor, offset, static_cast<off_t>(bytes.size()),
                          SYNC_FILE_RANGE_WRITE);
    }
    return 0;
}

}  // namespace

int BlockWriter::write(std::string& block, off_t offset, Release release) {
    job_.wait();
    if (error_ != 0) return error_;
    inHand_.swap(block);
    block.clear();
    offset_ = offset;
    release_ = release;
    job_.start([this] {
        error_ = WriteAt(descriptor_, inHand_, offset_);
        if (release_.file >= 0 && release_.to > release_.from) {
            ::posix_fadvise(release_.file, release_.from, release_.to - release_.from,
                            POSIX_FADV_DONTNEED);
        }
    });
    return 0;
}

int BlockWriter::finish() {
    job_.wait();
    return error_;
}

}  // namespace marrowby

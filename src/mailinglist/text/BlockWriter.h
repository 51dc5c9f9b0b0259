// Writes the blocks of a file on a thread of its own, so that a run builds its next block
// while the kernel copies the last one and starts it towards the disk.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <sys/types.h>

namespace marrowby {

class BlockWriter {
  public:
    // Bytes [from, to) of another open file that the kernel may drop from its cache.
    struct Release {
        int file = -1;
        off_t from = 0;
        off_t to = 0;
    };

    explicit BlockWriter(int descriptor) : descriptor_(descriptor) {}
    // Writes the block in hand, if any, before the thread ends.
    ~BlockWriter();
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Waits for the block handed over before, then takes this one's bytes (leaving block
    // empty) to write at offset, and returns 0. When the earlier block failed, returns
    // its errno instead and takes nothing: the file is then incomplete. Once the block is
    // written, the release's bytes are dropped from the cache.
    int write(std::string& block, off_t offset, Release release);
    // Waits until the block in hand is written; returns 0 or the errno of the first
    // block that failed.
    int finish();

  private:
    void work();

    const int descriptor_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string inHand_;
    off_t offset_ = 0;
    Release release_;
    bool busy_ = false;
    bool stopping_ = false;
    int error_ = 0;
    std::thread thread_;  // started by the first block: a small file never needs one
};

}  // namespace marrowby

// Writes the blocks of a file on a thread of its own, so that a run builds its next block
// while the kernel copies the last one and starts it towards the disk.
#pragma once

#include <string>

#include <sys/types.h>

#include "mailinglist/text/BackgroundJob.h"

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

    // Waits for the block handed over before, then takes this one's bytes (leaving block
    // empty) to write at offset, and returns 0. When the earlier block failed, returns
    // its errno instead and takes nothing: the file is then incomplete. Once the block is
    // written, the release's bytes are dropped from the cache.
    int write(std::string& block, off_t offset, Release release);
    // Waits until the block in hand is written; returns 0 or the errno of the first
    // block that failed.
    int finish();

  private:
    const int descriptor_;
    std::string inHand_;
    off_t offset_ = 0;
    Release release_;
    int error_ = 0;
    BackgroundJob job_;  // last: it ends, writing the block in hand, before the rest goes
};

}  // namespace marrowby

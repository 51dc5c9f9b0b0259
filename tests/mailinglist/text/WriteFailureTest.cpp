// A rewrite that the disk refuses partway: blocks are written while the run goes on, and a
// block that fails must still stop the run with the list as it was.
#include <csignal>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include "ListTestSupport.h"

namespace marrowby {

namespace {

// Files of this process may grow to `bytes` only; a write beyond fails with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};

}  // namespace

// 100,000 records: 2.5 MB of list, 4 MB rewritten with barcodes, 1.6 MB of barcodes alone,
// written in blocks of 1 MB.
TEST(ListSafety, AWriteThatFailsPartwayLeavesTheListAsItWas) {
    std::string input;
    for (int i = 0; i < 100000; ++i) input += kRecord + "\r\n";
    const struct {
        rlim_t limit;
        const char* barcodesOnly;
        const char* written;
    } rows[] = {
        {512 << 10, "0", "l.txt"},        // 1: the first block fails, seen at the second
        {3584 << 10, "0", "l.txt"},       // 2: the last block fails, seen at the commit
        {512 << 10, "1", "Barcode.txt"},  // 3: a file of barcodes only, as 1
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.limit);
        TempFolder folder;
        RoadFixture road;
        road.preferences[1] = row.barcodesOnly;
        const std::string path = folder.write("l.txt", input).string();
        int status = 0;
        {
            const FileSizeLimit limit(row.limit);
            status = road.run({path, "NOSTOP"});
        }
        EXPECT_EQ(status, 1);
        EXPECT_EQ(road.messageTexts(),
                  std::vector<std::string>{"Marrowby could not write " + std::string(row.written) +
                                           ": File too large. The file was not changed."});
        EXPECT_EQ(ReadBytes(path), input);
        EXPECT_EQ(FolderNames(folder.path()), std::vector<std::string>{"l.txt"});
    }
}

}  // namespace marrowby

// Reads a text mailing list line by line as bytes, one buffer at a time: lines end at
// CR, LF or CR LF, and a last line without an end still counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mailinglist/ListFile.h"

namespace marrowby {

class TextLineReader {
  public:
    // Throws MarrowbyError when the file cannot be opened or is not a regular file.
    explicit TextLineReader(const std::string& path);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // The next line without its end. At the end of the file the line is empty and the
    // result false, as reading past the end of a text file gives empty lines. Throws
    // MarrowbyError on a read error or a NUL byte (a binary file, not a mailing list).
    bool readLine(std::string& line);
    // As readLine, without a copy where it can: the view is into the reader's own buffer
    // and stays valid only until the reader is next used.
    bool readLine(std::string_view& line);
    // Reads the rest of the file and returns how many lines readLine would have read;
    // throws as readLine does. A rest of at least kTwoHalvesFrom bytes is read in two
    // halves at once.
    long countLines();
    static constexpr off_t kTwoHalvesFrom = 4 << 20;
    bool atEnd();
    // How far into the file the reader has read: its lines up to there, and beyond.
    off_t bytesRead() const { return bytesRead_; }
    // The open file's identity, as a run compares it with the list it counted.
    FileIdentity identity() const;

  private:
    bool fill();
    // The first CR, LF or NUL from position_, or length_ when the buffer holds none.
    size_t lineEnd() const;
    [[noreturn]] void refuseRead(int error) const;
    [[noreturn]] void refuseNul() const;

    std::string path_;
    int descriptor_ = -1;
    std::vector<char> buffer_;
    std::string straddling_;  // a line that began in an earlier buffer
    size_t position_ = 0;
    size_t length_ = 0;
    bool endOfFile_ = false;
    long lineNumber_ = 0;
    off_t bytesRead_ = 0;
};

}  // namespace marrowby

// The lines of a text file read one by one and their fast count, wherever the line ends fall
// among lookalike bytes and across read blocks.
#include "mailinglist/text/TextLineReader.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {
// The lines readLine gives, or the message it refuses the file with.
std::string ReadOneByOne(const std::string& path, std::vector<std::string>& lines) {
    TextLineReader reader(path);
    std::string line = "stale";
    try {
        while (reader.readLine(line)) lines.push_back(line);
    } catch (const MarrowbyError& error) {
        return error.what();
    }
    EXPECT_EQ(line, "") << "nothing is left over from the last line";
    return {};
}

// The lines of a text, ended by CR, LF or CR LF, the last one perhaps unended.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            lines.back() += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.emplace_back();
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

std::string Counted(const std::string& path, long& lines, bool skipFirst) {
    TextLineReader reader(path);
    std::string line;
    try {
        lines = skipFirst && reader.readLine(line) ? 1 : 0;
        lines += reader.countLines();
    } catch (const MarrowbyError& error) {
        return error.what();
    }
    return {};
}
}  // namespace

TEST(TextLineReader, CountsExactlyTheLinesItReadsAndRefusesTheSameNul) {
    using namespace std::string_literals;
    const std::string block(1 << 20, 'x');
    struct Case {
        std::string content;
        long lines;  // -1: a NUL refuses the file
    };
    std::vector<Case> cases = {{"", 0},
                               {"a", 1},
                               {"\n", 1},
                               {"\r", 1},
                               {"\r\n", 1},
                               {"\n\r", 2},
                               {"\r\r\n\n", 3},
                               {"a\r\nb\rc\nd", 4},
                               {"a\r\nb\rc\nd\r\n\r\ne", 6},
                               {"a\r\nb\r\n", 2},
                               {"a\nb\0c\n"s, -1},
                               {"a\r\0"s, -1},
                               // Line ends across the end of the first read block.
                               {block.substr(1) + "\r\nb", 2},
                               {block.substr(1) + "\r\r\n", 2},
                               {block.substr(1) + "\rb", 2},
                               {block.substr(1) + "\r", 1},
                               {block + "\n", 1},
                               {block + "\0"s, -1},
                               {block.substr(2) + "\r\n\n" + block + "\r", 3},
                               {"a\n" + block + "b\0"s, -1}};
    // Every line end wherever it falls among bytes that differ from CR, LF or NUL by one bit.
    const std::string lookalikes =
        "\x8D\x8A\x80\x0C\x0B\x09\x01\xFF\x8D\x8A\x80\x0C\x0B\x09\x01\xFF\x8D\x8A";
    for (const std::string& end : {"\r"s, "\n"s, "\r\n"s, "\0"s}) {
        for (size_t length = 0; length <= lookalikes.size(); ++length)
            cases.push_back(
                {lookalikes.substr(0, length) + end + "next\r\n", end == "\0"s ? -1 : 2});
    }
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string path = folder.write("f.txt", c.content).string();
        const std::string shown = testing::PrintToString(
            c.content.substr(c.content.size() > 24 ? c.content.size() - 24 : 0));
        std::vector<std::string> read;
        const std::string readRefusal = ReadOneByOne(path, read);
        EXPECT_EQ(readRefusal.empty(), c.lines >= 0) << shown;
        if (c.lines >= 0) {
            EXPECT_EQ(read.size(), size_t(c.lines)) << shown;
            EXPECT_TRUE(read == Lines(c.content)) << shown;
        }
        for (const bool skipFirst : {false, true}) {
            long counted = 0;
            EXPECT_EQ(Counted(path, counted, skipFirst), readRefusal) << shown;
            if (c.lines >= 0) {
                EXPECT_EQ(counted, c.lines) << shown << " " << skipFirst;
            }
        }
    }
}

}  // namespace marrowby

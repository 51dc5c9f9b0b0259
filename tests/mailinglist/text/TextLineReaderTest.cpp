// The lines of a text file read one by one and their fast count, wherever the line ends fall
// among lookalike bytes and across read blocks.
#include "mailinglist/text/TextLineReader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ListTestSupport.h"
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

// The bytes of a row of text/lines.tsv, with its read blocks spelt out.
std::string Content(const std::string& field) {
    std::string bytes = Unescaped(field);
    const std::pair<const char*, std::size_t> blocks[] = {
        {"{block}", 1 << 20}, {"{block-1}", (1 << 20) - 1}, {"{block-2}", (1 << 20) - 2}};
    for (const auto& [name, size] : blocks) {
        for (std::size_t at; (at = bytes.find(name)) != std::string::npos;)
            bytes.replace(at, std::strlen(name), std::string(size, 'x'));
    }
    return bytes;
}
}  // namespace

TEST(TextLineReader, CountsExactlyTheLinesItReadsAndRefusesTheSameNul) {
    const auto rows = GoldenRows("text/lines.tsv", '\t');
    ASSERT_EQ(rows.size(), 96u);
    TempFolder folder;
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + r.at(0));
        const std::string content = Content(r.at(1));
        const long lines = std::stol(r.at(2));
        const std::string path = folder.write("f.txt", content).string();
        std::vector<std::string> read;
        const std::string readRefusal = ReadOneByOne(path, read);
        EXPECT_EQ(readRefusal.empty(), lines >= 0);
        if (lines >= 0) {
            EXPECT_EQ(read.size(), size_t(lines));
            EXPECT_TRUE(read == Lines(content));
        }
        for (const bool skipFirst : {false, true}) {
            long counted = 0;
            EXPECT_EQ(Counted(path, counted, skipFirst), readRefusal);
            EXPECT_EQ(counted, lines >= 0 ? lines : counted) << skipFirst;
        }
    }
}

}  // namespace marrowby

// Text lists: kinds, field counts and fields of their lines, and lines read and counted.
#include <gtest/gtest.h>

#include <cstring>

#include "ListTestSupport.h"
#include "mailinglist/text/TextFormat.h"
#include "mailinglist/text/TextLineReader.h"
#include "mailinglist/text/TextMailingList.h"

namespace marrowby {

namespace {

// The lines readLine gives, or the message it refuses the file with.
std::string ReadOneByOne(const std::string& path, std::vector<std::string>& lines) {
    TextLineReader reader(path);
    std::string line = "stale";
    const std::string error = ErrorOf([&] {
        while (reader.readLine(line)) lines.push_back(line);
    });
    EXPECT_TRUE(!error.empty() || line.empty()) << "nothing is left over from the last line";
    return error;
}

std::string Counted(const std::string& path, long& lines, bool skipFirst) {
    TextLineReader reader(path);
    std::string line;
    return ErrorOf(
        [&] { lines = (skipFirst && reader.readLine(line) ? 1 : 0) + reader.countLines(); });
}

// The bytes of a row of text/lines.tsv, with its read blocks spelt out.
std::string Content(const std::string& field) {
    std::string bytes = field;
    const std::pair<const char*, std::size_t> blocks[] = {
        {"{block}", 1 << 20}, {"{block-1}", (1 << 20) - 1}, {"{block-2}", (1 << 20) - 2}};
    for (const auto& [name, size] : blocks) {
        for (std::size_t at; (at = bytes.find(name)) != std::string::npos;)
            bytes.replace(at, std::strlen(name), std::string(size, 'x'));
    }
    return bytes;
}

}  // namespace

// The first line of each file is split again after a barcode is written into its last field.
TEST(TextFormat, FilesAreToldCountedAndKeepTheirFieldsUnderABarcode) {
    const std::string code = "/123456789230/";
    TempFolder folder;
    for (const auto& r : CaseRows("text/files.tsv")) {
        SCOPED_TRACE("row " + r.at(0));
        const std::string& bytes = r.at(1);
        const std::string path = folder.write("f.txt", bytes).string();
        const std::string& kind = r.at(2);
        const int count = std::stoi(r.at(3));
        FakePrompter prompter;
        EXPECT_EQ(DetectTextKind(path, prompter), kind);
        EXPECT_EQ(kind.empty() ? 0 : CountTextFields(path, kind, prompter), count);
        EXPECT_EQ(prompter.messages.size(), count == 0 ? 1u : 0u);
        if (count == 0 || r.at(4) == "-") continue;
        const std::string line = bytes.substr(0, bytes.find('\r'));
        FieldList expected = SplitField(r[4], '|');
        FieldList fields;
        SplitTextLine(count, line, kind, fields);
        EXPECT_EQ(fields, expected);

        std::string written;
        TextLineWithBarcode(written, kind, line, FieldViews(fields.begin(), fields.end()), count,
                            "", count - 1, code);
        expected.back() = code;
        FieldList again;
        SplitTextLine(count, written, kind, again);
        EXPECT_EQ(again, expected) << written;
    }
}

TEST(TextFormat, LinesAreSplitIntoFields) {
    for (const auto& r : CaseRows("text/split.tsv")) {
        const std::string& line = r.at(1);
        FieldViews fields{"left", "over", "and", "more"};
        const size_t rest = SplitTextLineAt(std::stoi(r.at(3)), line, r.at(2), fields);
        EXPECT_EQ(FieldList(fields.begin(), fields.end()), SplitField(r.at(4), '|'))
            << "row " << r[0];
        EXPECT_EQ(line.substr(rest), r.at(5)) << "row " << r[0];
    }
}

TEST(TextLineReader, CountsExactlyTheLinesItReadsAndRefusesTheSameNul) {
    const auto rows = CaseRows("text/lines.tsv");
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
            std::vector<std::string> expected;
            for (const std::string& line : SplitField(r.at(3), '|'))
                expected.push_back(Content(line));
            expected.resize(size_t(lines));  // a single empty line spells as nothing
            EXPECT_TRUE(read == expected);
        }
        for (const bool skipFirst : {false, true}) {
            long counted = 0;
            EXPECT_EQ(Counted(path, counted, skipFirst), readRefusal);
            EXPECT_EQ(counted, lines >= 0 ? lines : counted) << skipFirst;
        }
    }
}

// A large list is counted in two halves at once: where they meet, a CR LF, a CR CR or a NUL
// must come out as when the file is read line by line.
TEST(TextLineReader, CountsALargeFileInHalvesAsItReadsIt) {
    const std::string half(size_t(TextLineReader::kTwoHalvesFrom / 2), 'x');
    const struct {
        std::string bytes;  // the halves meet right after the byte that follows `half`
        long lines;         // -1: refused for a NUL
    } cases[] = {
        {half + "\r\n" + half, 2},
        {half + "\r\r" + half, 3},
        {half + "\n\n" + half + "\n", 3},
        {half + "\r" + std::string(1, '\0') + half, -1},
        {half + std::string(1, '\0') + "\n" + half + "\r", -1},
        {half + "\n\n" + half + std::string(1, '\0'), -1},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(half.size(), 2));
        const std::string path = folder.write("f.txt", c.bytes).string();
        std::vector<std::string> read;
        const std::string readRefusal = ReadOneByOne(path, read);
        EXPECT_EQ(readRefusal.empty(), c.lines >= 0);
        if (c.lines >= 0) {
            EXPECT_EQ(long(read.size()), c.lines);
        }
        for (const bool skipFirst : {false, true}) {
            long counted = -1;
            EXPECT_EQ(Counted(path, counted, skipFirst), readRefusal) << skipFirst;
            if (c.lines >= 0) {
                EXPECT_EQ(counted, c.lines) << skipFirst;
            }
        }
    }
}

}  // namespace marrowby

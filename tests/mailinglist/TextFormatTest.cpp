// Kind, field count and fields of text mailing-list lines.
#include "mailinglist/TextFormat.h"

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "TempFolder.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/TextLineReader.h"

namespace {

const std::string kBlankLines =
    "It looks like there are one or more blank lines at the beginning of the file you are "
    "trying to sort.  Please remove any blank lines and try again.";
const std::string kCannotRead =
    "Marrowby cannot read this kind of file. See the Help file for instructions on exporting "
    "your mailing list to an ascii file.";

}  // namespace

TEST(TextFormat, KindComesFromTheFirstLine) {
    const struct {
        std::string bytes;
        std::string_view kind;
        std::string message;
    } cases[] = {
        {"12345-6789\r\n", kAsciiTab, ""},
        {"Name\tZip, City\r\n", kAsciiTab, ""},
        {"Name,Address,Zip\r\n", kAsciiMerge, ""},
        {"name,address,zipcode\n", kAsciiMerge, ""},
        {"Name,Address,Postal\r", kAsciiComma, ""},
        {"\xD2Smith\r\n", kAsciiComma, ""},
        {"ZIP\r\n", "", kCannotRead},
        {"\r\nSmith,1 Oak\r\n", "", kBlankLines},
        {"", "", "f.txt is empty: it holds no mailing list."},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        FakePrompter prompter;
        EXPECT_EQ(DetectTextKind(folder.write("f.txt", c.bytes).string(), prompter), c.kind)
            << c.bytes;
        if (c.message.empty()) {
            EXPECT_TRUE(prompter.messages.empty()) << c.bytes;
        } else {
            ASSERT_EQ(prompter.messages.size(), 1u) << c.bytes;
            EXPECT_EQ(prompter.messages[0].text, c.message);
            EXPECT_EQ(prompter.messages[0].beep, MessageBeep::Error);
        }
    }
}

TEST(TextFormat, FieldsAreCountedOnTheFirstTwoLines) {
    const struct {
        std::string bytes;
        std::string_view kind;
        int count;
    } cases[] = {
        {"12345-6789\r\n12345\r\n", kAsciiTab, 1},
        {"Smith,\"12 Oak, Apt 3\",77001\r\nJones,9 Elm,77002\r\n", kAsciiComma, 3},
        {"Smith,\xD2"
         "12 Oak, Apt 3\xD3,77001\nJones,9 Elm,77002\n",
         kAsciiComma, 3},
        {"a\tb\tc\r\n", kAsciiTab, 0},
        {"a,b\r\na,b,c\r\n", kAsciiMerge, 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        FakePrompter prompter;
        EXPECT_EQ(CountTextFields(folder.write("f.txt", c.bytes).string(), c.kind, prompter),
                  c.count)
            << c.bytes;
        if (c.count == 0) {
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text, kCannotRead);
            EXPECT_EQ(prompter.messages[0].button, MessageButton::Cancel);
        }
    }
}

TEST(TextFormat, LinesAreSplitIntoFields) {
    const struct {
        std::string line;
        std::string_view kind;
        int count;
        FieldList fields;
        std::string rest;
    } cases[] = {
        {"a,,\"b,c\",d", kAsciiComma, 4, {"a", "", "b,c", "d"}, ""},
        {"a,,\"b,c\",d", kAsciiComma, 2, {"a", ""}, ",\"b,c\",d"},
        {"\"ab\"xy,z", kAsciiMerge, 3, {"ab", "y", "z"}, ""},
        {"\xD2"
         "ab\xD3,c\"d",
         kAsciiMergeIndex,
         2,
         {"ab", "c\"d"},
         ""},
        {"\"ab", kAsciiComma, 2, {"ab", ""}, ""},
        {"a,", kAsciiComma, 2, {"a", ""}, ""},
        {"", kAsciiComma, 3, {"", "", ""}, ""},
        {"\"Smith\"\t 12 Oak\t", kAsciiTab, 3, {"Smith", " 12 Oak", ""}, ""},
        {"\"\"\t\"a\"b\"\t\"", kAsciiTab, 3, {"", "a\"b", ""}, ""},
        {"a\tb\tc\td", kAsciiTab, 2, {"a", "b"}, "\tc\td"},
        {"", kAsciiTab, 2, {"", ""}, ""},
    };
    for (const auto& c : cases) {
        FieldList fields;
        const size_t rest = SplitTextLineAt(c.count, c.line, c.kind, fields);
        EXPECT_EQ(fields, c.fields) << c.line << " / " << c.count;
        EXPECT_EQ(c.line.substr(rest), c.rest) << c.line << " / " << c.count;
    }
}

TEST(TextFormat, LongerFieldListKeepsItsEntriesEmptied) {
    FieldList fields{"x", "y", "z", "w"};
    SplitTextLine(2, "a,b", kAsciiComma, fields);
    EXPECT_EQ(fields, (FieldList{"a", "b", "", ""}));
}

TEST(TextLineReader, LinesEndAtCrLfOrCrLf) {
    TempFolder folder;
    const std::string path = folder.write("f.txt", "a\r\nb\rc\nd\r\n\r\ne").string();
    TextLineReader reader(path);
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line)) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_EQ(line, "");
}

TEST(TextLineReader, CrLfAcrossTheBufferEdgeIsOneLineEnd) {
    TempFolder folder;
    const std::string first((1 << 16) - 1, 'x');
    const std::string path = folder.write("f.txt", first + "\r\nsecond\r\n").string();
    TextLineReader reader(path);
    std::string line;
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(line, first);
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(reader.readLine(line));
}

TEST(TextLineReader, NulByteIsRefused) {
    TempFolder folder;
    const std::string path =
        folder.write("list.txt", std::string("a,b\r\nc\0d,e\r\n", 12)).string();
    TextLineReader reader(path);
    std::string line;
    reader.readLine(line);
    try {
        reader.readLine(line);
        FAIL() << "a NUL byte must stop the reading";
    } catch (const MarrowbyError& error) {
        EXPECT_STREQ(error.what(), "list.txt is not a text file: line 2 holds a NUL byte.");
    }
}

// Kind, field count and fields of text mailing-list lines, and the lines of a text file.
// The messages of the lists refused here are checked end to end in RoadTest.
#include "mailinglist/text/TextFormat.h"

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "TempFolder.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/text/TextLineReader.h"
#include "mailinglist/text/TextMailingList.h"

TEST(TextFormat, KindComesFromTheFirstLineAndFieldsAreCountedOnTheFirstTwo) {
    const struct {
        std::string bytes;
        std::string_view kind;  // empty: refused with a message
        int count;              // 0: the first two lines disagree
    } cases[] = {
        {"12345-6789\r\n12345\r\n", kAsciiTab, 1},
        {"Name\tZip, City\r\nx\ty\r\n", kAsciiTab, 2},
        {"a\tb\tc\r\n", kAsciiTab, 0},
        {"Name,Address,Zip\r\n", kAsciiMerge, 0},
        {"name,address,zipcode\nSmith,1 Oak,77001\n", kAsciiMerge, 3},
        {"a,b\r\na,b,c\r\n", kAsciiComma, 0},
        {"Smith,\"12 Oak, Apt 3\",77001\r\nJones,9 Elm,77002\r\n", kAsciiComma, 3},
        {"Smith,\xD2"
         "12 Oak, Apt 3\xD3,77001\rJones,9 Elm,77002\r",
         kAsciiComma, 3},
        {"ZIP\r\n", "", 0},
        {"\r\nSmith,1 Oak\r\n", "", 0},
        {"", "", 0},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string path = folder.write("f.txt", c.bytes).string();
        FakePrompter prompter;
        EXPECT_EQ(DetectTextKind(path, prompter), c.kind) << c.bytes;
        if (!c.kind.empty()) {
            EXPECT_EQ(CountTextFields(path, c.kind, prompter), c.count) << c.bytes;
        }
        EXPECT_EQ(prompter.messages.size(), c.kind.empty() || c.count == 0 ? 1u : 0u) << c.bytes;
    }
}

TEST(TextFormat, LinesAreSplitIntoFields) {
    const struct {
        std::string line;
        std::string_view kind;
        int count;
        FieldList fields;
        std::string rest;  // the fields beyond the count, from their separator
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
        FieldList fields{"left", "over"};
        const size_t rest = SplitTextLineAt(c.count, c.line, c.kind, fields);
        EXPECT_EQ(fields, c.fields) << c.line << " / " << c.count;
        EXPECT_EQ(c.line.substr(rest), c.rest) << c.line << " / " << c.count;
    }
}

TEST(TextLineReader, LinesEndAtCrLfOrCrLfEvenAcrossTheBufferEdge) {
    const std::string full((1 << 16) - 1, 'x');  // CR LF straddles the first read
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\rc\nd\r\n\r\ne", {"a", "b", "c", "d", "", "e"}},
        {full + "\r\nsecond\r\n", {full, "second"}},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        TextLineReader reader(folder.write("f.txt", c.bytes).string());
        std::vector<std::string> lines;
        std::string line = "stale";
        while (reader.readLine(line)) lines.push_back(line);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(line, "");
    }
}

// Windows-1252 lists hold 0xD2 and 0xD3 as the letters Ò and Ó; they quote only when the
// pair encloses a whole field. Each line is read as both lines of a file, split, written
// back with a barcode in its last field and split again.
TEST(TextFormat, CurlyQuoteBytesQuoteOnlyWholeFields) {
    const std::string code = "/123456789230/";
    const struct {
        std::string line;
        std::string_view kind;  // empty: refused with a message
        FieldList fields;
    } cases[] = {
        {"\xD3SCAR DIAZ,9 ELM ST,123456789,",
         kAsciiComma,
         {"\xD3SCAR DIAZ", "9 ELM ST", "123456789", ""}},
        {"G\xD3MEZ,Address,Zip", kAsciiMerge, {"G\xD3MEZ", "Address", "Zip"}},
        {"\xD2Smith, Jr\xD3,12 Oak,", kAsciiComma, {"Smith, Jr", "12 Oak", ""}},
        {"\xD2G\xD3MEZ\xD3,\xD2\xD3", kAsciiComma, {"G\xD3MEZ", ""}},
        {"\"G\xD3MEZ, JUAN\",x", kAsciiComma, {"G\xD3MEZ, JUAN", "x"}},
        {"\xD2say \"hi\", ok\xD3,x", kAsciiComma, {"say \"hi\", ok", "x"}},
        {"a\xD3,\xD2"
         "b,c",
         kAsciiComma,
         {"a\xD3",
          "\xD2"
          "b",
          "c"}},
        {"\xD2"
         "a\xD3x,b",
         kAsciiComma,
         {"\xD2"
          "a\xD3x",
          "b"}},
        {"\xD2Smith\xD3", kAsciiComma, {"Smith"}},
        {"\xD2Smith", "", {}},
        {"\xD2SCAR\tG\xD3MEZ\t", kAsciiTab, {"\xD2SCAR", "G\xD3MEZ", ""}},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string path = folder.write("f.txt", c.line + "\r\n" + c.line + "\r\n").string();
        FakePrompter prompter;
        ASSERT_EQ(DetectTextKind(path, prompter), c.kind);
        if (c.kind.empty()) continue;
        const int count = CountTextFields(path, c.kind, prompter);
        ASSERT_EQ(count, static_cast<int>(c.fields.size()));
        FieldList fields;
        SplitTextLine(count, c.line, c.kind, fields);
        EXPECT_EQ(fields, c.fields);

        std::string written;
        TextLineWithBarcode(written, c.kind, c.line, fields, count, "", count - 1, code);
        FieldList expected = c.fields;
        expected.back() = code;
        FieldList again;
        SplitTextLine(count, written, c.kind, again);
        EXPECT_EQ(again, expected) << written;
    }
}

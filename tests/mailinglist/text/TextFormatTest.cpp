// Kind, field count and fields of text mailing-list lines.
// The messages of the lists refused here are checked end to end in RoadTest.
#include "mailinglist/text/TextFormat.h"

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "TempFolder.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/text/TextMailingList.h"

namespace marrowby {

TEST(TextFormat, KindComesFromTheFirstLineAndFieldsAreCountedOnTheFirstTwo) {
    const struct {
        std::string bytes;
        std::string_view kind;
        int count;  // 0: the first two lines disagree, refused with a message
    } cases[] = {
        {"12345-6789\r\n12345\r\n", kAsciiTab, 1},
        {"Name\tZip, City\r\nx\ty\r\n", kAsciiTab, 2},
        {"a\tb\tc\r\n", kAsciiTab, 0},
        {"Name,Address,Zip\r\n", kAsciiMerge, 0},
        {"name,address,zipcode\nSmith,1 Oak,77001\n", kAsciiMerge, 3},
        {"a,b\r\na,b,c\r\n", kAsciiComma, 0},
        {"Smith,\"12 Oak, Apt 3\",77001\r\nJones,9 Elm,77002\r\n", kAsciiComma, 3},
        {"Smith,\32212 Oak, Apt 3\323,77001\rJones,9 Elm,77002\r", kAsciiComma, 3},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string path = folder.write("f.txt", c.bytes).string();
        FakePrompter prompter;
        EXPECT_EQ(DetectTextKind(path, prompter), c.kind) << c.bytes;
        EXPECT_EQ(CountTextFields(path, c.kind, prompter), c.count) << c.bytes;
        EXPECT_EQ(prompter.messages.size(), c.count == 0 ? 1u : 0u) << c.bytes;
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
        {"\322ab\323,c\"d", kAsciiMergeIndex, 2, {"ab", "c\"d"}, ""},
        {"\"ab", kAsciiComma, 2, {"ab", ""}, ""},
        {"a,", kAsciiComma, 2, {"a", ""}, ""},
        {"", kAsciiComma, 3, {"", "", ""}, ""},
        {"\"Smith\"\t 12 Oak\t", kAsciiTab, 3, {"Smith", " 12 Oak", ""}, ""},
        {"\"\"\t\"a\"b\"\t\"", kAsciiTab, 3, {"", "a\"b", ""}, ""},
        {"a\tb\tc\td", kAsciiTab, 2, {"a", "b"}, "\tc\td"},
        {"", kAsciiTab, 2, {"", ""}, ""},
        {"a\t", kAsciiTab, 1, {"a"}, "\t"},
        {"a\tb", kAsciiTab, 0, {}, "a\tb"},
        {"a,b", kAsciiComma, 0, {}, "a,b"},
    };
    for (const auto& c : cases) {
        FieldViews fields{"left", "over", "and", "more"};
        const size_t rest = SplitTextLineAt(c.count, c.line, c.kind, fields);
        EXPECT_EQ(FieldList(fields.begin(), fields.end()), c.fields) << c.line << " / " << c.count;
        EXPECT_EQ(c.line.substr(rest), c.rest) << c.line << " / " << c.count;
    }
}

// Windows-1252 lists hold 0xD2 and 0xD3 (octal \322 and \323) as the letters Ò and Ó; they quote
// only when the pair encloses a whole field. Each line is read as both lines of a file, split,
// written back with a barcode in its last field and split again.
TEST(TextFormat, CurlyQuoteBytesQuoteOnlyWholeFields) {
    const std::string code = "/123456789230/";
    const struct {
        std::string line;
        std::string_view kind;  // empty: refused with a message
        FieldList fields;
    } cases[] = {
        {"\323SCAR DIAZ,9 ELM ST,123456789,",
         kAsciiComma,
         {"\323SCAR DIAZ", "9 ELM ST", "123456789", ""}},
        {"G\323MEZ,Address,Zip", kAsciiMerge, {"G\323MEZ", "Address", "Zip"}},
        {"\322Smith, Jr\323,12 Oak,", kAsciiComma, {"Smith, Jr", "12 Oak", ""}},
        {"\322G\323MEZ\323,\322\323", kAsciiComma, {"G\323MEZ", ""}},
        {"\"G\323MEZ, JUAN\",x", kAsciiComma, {"G\323MEZ, JUAN", "x"}},
        {"\322say \"hi\", ok\323,x", kAsciiComma, {"say \"hi\", ok", "x"}},
        {"a\323,\322b,c", kAsciiComma, {"a\323", "\322b", "c"}},
        {"\322a\323x,b", kAsciiComma, {"\322a\323x", "b"}},
        {"\322Smith\323", kAsciiComma, {"Smith"}},
        {"\322Smith", "", {}},
        {"\322SCAR\tG\323MEZ\t", kAsciiTab, {"\322SCAR", "G\323MEZ", ""}},
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
        TextLineWithBarcode(written, c.kind, c.line, FieldViews(fields.begin(), fields.end()),
                            count, "", count - 1, code);
        FieldList expected = c.fields;
        expected.back() = code;
        FieldList again;
        SplitTextLine(count, written, c.kind, again);
        EXPECT_EQ(again, expected) << written;
    }
}

}  // namespace marrowby

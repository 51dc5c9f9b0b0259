// Kind, field count and fields of text mailing-list lines, from the cases of tests/data/text.
// The messages of the lists refused here are checked end to end in the road's runs.
#include "mailinglist/text/TextFormat.h"

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "ListTestSupport.h"
#include "TempFolder.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/text/TextMailingList.h"

namespace marrowby {

namespace {

std::string_view KindNamed(const std::string& name) {
    const std::pair<const char*, std::string_view> kinds[] = {{"tab", kAsciiTab},
                                                              {"comma", kAsciiComma},
                                                              {"merge", kAsciiMerge},
                                                              {"mergeindex", kAsciiMergeIndex}};
    for (const auto& [named, kind] : kinds)
        if (name == named) return kind;
    return "";
}

FieldList FieldsFrom(const std::string& text) {
    FieldList fields;
    for (const std::string& field : SplitField(text, '|')) fields.push_back(Unescaped(field));
    return fields;
}

}  // namespace

// The first line of each file is split again after a barcode is written into its last field.
TEST(TextFormat, FilesAreToldCountedAndKeepTheirFieldsUnderABarcode) {
    const std::string code = "/123456789230/";
    TempFolder folder;
    for (const auto& r : GoldenRows("text/files.tsv", '\t')) {
        SCOPED_TRACE("row " + r.at(0));
        const std::string bytes = Unescaped(r.at(1));
        const std::string path = folder.write("f.txt", bytes).string();
        const std::string_view kind = KindNamed(r.at(2));
        const int count = std::stoi(r.at(3));
        FakePrompter prompter;
        EXPECT_EQ(DetectTextKind(path, prompter), kind);
        EXPECT_EQ(kind.empty() ? 0 : CountTextFields(path, kind, prompter), count);
        EXPECT_EQ(prompter.messages.size(), count == 0 ? 1u : 0u);
        if (count == 0 || r.at(4) == "-") continue;
        const std::string line = bytes.substr(0, bytes.find('\r'));
        FieldList expected = FieldsFrom(r[4]);
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
    for (const auto& r : GoldenRows("text/split.tsv", '\t')) {
        const std::string line = Unescaped(r.at(1));
        FieldViews fields{"left", "over", "and", "more"};
        const size_t rest = SplitTextLineAt(std::stoi(r.at(3)), line, KindNamed(r.at(2)), fields);
        EXPECT_EQ(FieldList(fields.begin(), fields.end()), FieldsFrom(r.at(4))) << "row " << r[0];
        EXPECT_EQ(line.substr(rest), Unescaped(r.at(5))) << "row " << r[0];
    }
}

}  // namespace marrowby

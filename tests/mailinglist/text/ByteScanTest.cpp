// The sixteen-byte searches and the line-end count against a byte-by-byte reading, wherever
// the bytes fall among lookalikes, across block boundaries and in the last partial block.
#include "mailinglist/text/ByteScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace marrowby {

namespace {

// Every LF, and every CR not right before an LF, ends a line.
long LineEndsOneByOne(const std::string& text) {
    long count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        count +=
            text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    }
    return count;
}

std::vector<size_t> PositionsOneByOne(const std::string& text, const std::string& bytes) {
    std::vector<size_t> positions;
    for (size_t i = 0; i < text.size(); ++i) {
        if (bytes.find(text[i]) != std::string::npos) positions.push_back(i);
    }
    return positions;
}

}  // namespace

TEST(ByteScan, FindsAndCountsWhatAByteByByteReadingFinds) {
    using namespace std::string_literals;
    // The bytes searched for, bytes one bit away from them, and others.
    const std::string alphabet = "\r\n\t\0,\"\x8D\x8A\x89\x0C\x0B\x01\xAC\xA2x "s;
    std::mt19937 random(17);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 70, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        const std::string shown = testing::PrintToString(text);

        const std::vector<size_t> lineEnds = PositionsOneByOne(text, "\r\n\0"s);
        const size_t firstEnd = lineEnds.empty() ? text.size() : lineEnds.front();
        EXPECT_EQ(size_t(FindFirstOf<'\r', '\n', '\0'>(begin, end) - begin), firstEnd) << shown;
        const std::vector<size_t> commas = PositionsOneByOne(text, ",");
        EXPECT_EQ(FindFirstOf<','>(text, 3),
                  text.size() > 3 && !commas.empty() && commas.back() >= 3
                      ? *std::lower_bound(commas.begin(), commas.end(), 3)
                      : std::string_view::npos)
            << shown;

        std::vector<size_t> visited;
        ForEachOf<'\t', '"'>(begin, end, [&](const char* at) {
            visited.push_back(size_t(at - begin));
            return true;
        });
        EXPECT_EQ(visited, PositionsOneByOne(text, "\t\"")) << shown;

        EXPECT_EQ(CountLineEnds(begin, end), LineEndsOneByOne(text)) << shown;
    }
}

TEST(ByteScan, ForEachOfStopsWhereTheVisitorSaysSo) {
    const std::string text = std::string(20, 'a') + "\t" + std::string(20, 'b') + "\tc\t";
    std::vector<size_t> visited;
    EXPECT_FALSE(ForEachOf<'\t'>(text.data(), text.data() + text.size(), [&](const char* at) {
        visited.push_back(size_t(at - text.data()));
        return visited.size() < 2;
    }));
    EXPECT_EQ(visited, (std::vector<size_t>{20, 41}));
}

}  // namespace marrowby

// List bytes shown in the window: UTF-8 when valid, Windows-1252 otherwise.
#include "mailinglist/forms/DisplayText.h"

#include <gtest/gtest.h>

namespace marrowby {

TEST(DisplayText, Utf8ElseWindows1252) {
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"Mu\xC3\xB1oz", QString::fromUtf8("Mu\xC3\xB1oz")},
        {"Mu\xF1oz", QString::fromUtf8("Mu\xC3\xB1oz")},
        {"\x93quoted\x94 \x80", QString::fromUtf8("\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC")},
        {"\xD2Smith\xD3", QString::fromUtf8("\xC3\x92Smith\xC3\x93")},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayText(c.bytes), c.shown) << c.bytes;
}

}  // namespace marrowby

// Every contents choice of every mail type against the USPS wording, digits and code field
// of tests/data/tags/tag-contents.tsv, and the rules that split a typed destination.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "TestData.h"
#include "tags/TagContents.h"
#include "tags/TagDerivation.h"

namespace marrowby {

namespace {

// The table holds every choice the dialog offers, each once.
TEST(TagDerivation, EveryContentsChoiceGivesItsWordingDigitsAndCodeField) {
    std::set<std::pair<std::string, std::string>> offered;
    for (const ContentsGroup& group : AllContentsGroups()) {
        for (MailType type : group.mailTypes) {
            for (std::string_view item : group.items) offered.emplace(CodeOf(type), item);
        }
    }
    const auto rows = GoldenRows("tags/tag-contents.tsv", '\t');
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 8u) << "row " << row[0];
        const auto& [mailType, contents, destination] = std::tie(row[1], row[2], row[7]);
        SCOPED_TRACE("row " + row[0] + ": " + mailType + " " + contents);
        EXPECT_EQ(offered.erase({mailType, contents}), 1u);
        const MailType type = MailTypeFromCode(mailType).value();
        const PeriodicalKind kind = row[6] == "news" ? PeriodicalKind::News : PeriodicalKind::Per;
        const std::optional<TagValues> tag = DeriveTag({destination, contents, ""}, type, kind);
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(tag->secondLine, row[3]);
        std::string digits = row[4];
        std::erase(digits, ' ');
        EXPECT_EQ(tag->barcodeDigits, digits);
        EXPECT_EQ(WantsCodeField(type, contents), row[5] == "code");
        // Only periodicals tell Per from News.
        const bool periodical = mailType[0] == 'P' && kind == PeriodicalKind::Per;
        EXPECT_EQ(DeriveTag({destination, contents, ""}, type, PeriodicalKind::News) == tag,
                  !periodical);
    }
    EXPECT_EQ(rows.size(), 144u);
    EXPECT_TRUE(offered.empty());
    EXPECT_FALSE(DeriveTag({"DALLAS TX 75201", "SCF", ""}, MailType::FLN, PeriodicalKind::Per));
    EXPECT_FALSE(DeriveTag({"DALLAS TX 75201", "Express", ""}, MailType::DSP, PeriodicalKind::Per));
}

TEST(DestinationSplit, PlaceIsAllBeforeTheLastBlankAndZipAtMostFiveDigits) {
    const auto unquoted = [](const std::string& text) { return text.substr(1, text.size() - 2); };
    for (const auto& row : GoldenRows("tags/destination-split.tsv", '\t')) {
        const auto split = SplitDestinationText(unquoted(row[1]));
        EXPECT_EQ(split, row[2] == "none"
                             ? std::nullopt
                             : std::optional(SplitDestination{unquoted(row[2]), row[3]}))
            << "row " << row[0];
    }
}

TEST(TagSheetBuild, RowsKeepTheirPlacesAndTheSheetTakesTheMailTypesKindAndStripes) {
    std::array<TagEntry, 10> entries;
    entries[1] = {"DALLAS TX 75201", "Single Carrier Route", "C001"};
    entries[3] = {"75201", "5-Digit", ""};
    entries[4] = {"DALLAS TX 75201", "", ""};
    // A code typed before the contents changed is still printed.
    entries[9] = {"DALLAS TX 752", "3-Digit", "X"};

    const TagSheet sheet = BuildTagSheet(entries, MailType::FLA, PeriodicalKind::Per, "ACME CO");
    EXPECT_EQ(sheet.kind, TagKind::Tray);
    EXPECT_EQ(sheet.origin, "ACME CO");
    EXPECT_EQ(sheet.tags[1],
              (TagValues{"DALLAS TX", "75201", "FCM LTRS CR BC", "C001", "7520126301"}));
    EXPECT_EQ(sheet.tags[9], (TagValues{"DALLAS TX", "752", "FCM LTRS 3D BC", "X", "7520024401"}));
    for (int place : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_FALSE(sheet.tags[place]) << place;
    EXPECT_EQ(BuildTagSheet({}, MailType::SFA, PeriodicalKind::Per, "").kind, TagKind::Sack);

    // Only automation trays get stripes.
    std::set<MailType> striped;
    for (const MailTypeInfo& info : AllMailTypes()) {
        if (BuildTagSheet({}, info.type, PeriodicalKind::Per, "").automationStripes)
            striped.insert(info.type);
    }
    EXPECT_EQ(striped, (std::set{MailType::FLA, MailType::FFA, MailType::SLA, MailType::PLA}));
}

}  // namespace

}  // namespace marrowby

// Every contents choice of every mail type against the USPS wording, digits and code field
// of tests/data/tags/tag-contents.tsv, the rules that split a typed destination, and the
// 24 tray label digits of tests/data/tags/tray-label-digits.tsv.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "ErrorOf.h"
#include "TestData.h"
#include "tags/TagContents.h"
#include "tags/TagDerivation.h"
#include "tags/TrayLabel24.h"

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
    const auto rows = CaseRows("tags/tag-contents.tsv");
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
    for (const auto& row : CaseRows("tags/destination-split.tsv")) {
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

TEST(TrayLabel24, DigitsOfTheTableAndTheirFieldsReadBackOrTheFieldRefused) {
    for (const auto& row : CaseRows("tags/tray-label-digits.tsv")) {
        SCOPED_TRACE("row " + row[0]);
        MailerSettings settings;
        settings.identity.mailerId = row[3];
        settings.processingCode = row[4];
        settings.labelType = row[5];
        const std::uint64_t serial = std::stoull(row[6]);
        const std::string& expected = row[7];
        const std::string digits =
            ValueOrError([&] { return TrayLabelDigits(row[1], row[2], settings, serial); });
        if (digits.starts_with("! ")) {
            EXPECT_EQ(digits, "! Tray label: " + expected);
            continue;
        }
        EXPECT_EQ(digits, expected);
        EXPECT_EQ(SplitTrayLabelDigits(digits),
                  (TrayLabelFields{row[1], row[2], std::stoi(row[4]), row[3], serial,
                                   std::stoi(row[5])}));
    }
    EXPECT_THROW(SplitTrayLabelDigits("12345678112345612312345"), MarrowbyError);
    EXPECT_EQ(TraySerialCount("123456"), 100000000u);
    EXPECT_EQ(TraySerialCount("987654321"), 100000u);
    EXPECT_THROW(TraySerialCount("12345"), MarrowbyError);
    // A tag whose digits are too short is refused, not read past its end; the digits of
    // whole tags are read back from the printed sheets in TagSheetPrintTest.
    EXPECT_THROW(TrayLabelDigitsOf(TagValues{"", "", "", "", "7520"}, MailerSettings(), 1),
                 MarrowbyError);
}

}  // namespace marrowby

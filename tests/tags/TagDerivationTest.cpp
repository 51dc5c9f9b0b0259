// Checks every contents choice of every mail type against the USPS wording and digits,
// and the rules that split a typed destination into place and ZIP.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "tags/TagContents.h"
#include "tags/TagDerivation.h"

namespace {

using enum PeriodicalKind;

constexpr const char* kDallas = "DALLAS TX 75201";

struct TagCase {
    const char* mailType;
    const char* contents;
    const char* destination;
    const char* secondLine;
    const char* digits;  // ZIP, content code and tray suffix, blanks between the parts
    PeriodicalKind kind = Per;
};

// Grouped by mail type; the worked examples carry their own destinations.
const TagCase kTagCases[] = {
    {"FLN", "5-Digit", "dallas tx 75201", "FCM LTRS 5D NON BC", "75201 250 07"},
    {"FLN", "3-Digit", kDallas, "FCM LTRS 3D NON BC", "75201 253 07"},
    {"FLN", "ADC", kDallas, "FCM LTRS ADC NON BC", "75201 256 07"},
    {"FLN", "Mixed ADC", kDallas, "FCM LTRS NON BC WKG", "75201 259 07"},
    {"FLM", "5-Digit", kDallas, "FCM LTRS 5D MANUAL", "75201 267 07"},
    {"FLM", "3-Digit", kDallas, "FCM LTRS MANUAL ONLY", "75201 268 07"},
    {"FLM", "ADC", kDallas, "FCM LTRS MANUAL ONLY", "75201 268 07"},
    {"FLM", "Mixed ADC", kDallas, "FCM LTRS MANUAL ONLY", "75201 268 07"},
    {"FLU", "5-Digit", kDallas, "FCM LTRS 5D UPGR", "75201 252 01"},
    {"FLU", "3-Digit", kDallas, "FCM LTRS 3D UPGR", "75201 255 01"},
    {"FLU", "AADC", kDallas, "FCM LTRS AADC UPGR", "75201 258 01"},
    {"FLU", "Mixed AADC", kDallas, "FCM LTRS UPGR WKG", "75201 260 01"},
    {"FLA", "Single Carrier Route", kDallas, "FCM LTRS CR BC", "75201 263 01"},
    {"FLA", "CRs to a Single 5-Digit Zip", kDallas, "FCM LTRS CR-RTS BC", "75201 264 01"},
    {"FLA", "CRs to a Single 3-Digit Zip", kDallas, "FCM LTRS 3D CR-RTS BC", "75201 265 01"},
    {"FLA", "5-Digit Scheme", kDallas, "FCM LTRS BC 5D SCHEME", "75201 241 01"},
    {"FLA", "5-Digit", kDallas, "FCM LTRS 5D BC", "75201 242 01"},
    {"FLA", "3-Digit Scheme", kDallas, "FCM LTRS BC SCHEME", "75201 243 01"},
    {"FLA", "3-Digit", kDallas, "FCM LTRS 3D BC", "75201 244 01"},
    {"FLA", "AADC", kDallas, "FCM LTRS AADC BC", "75201 245 01"},
    {"FLA", "Mixed AADC", kDallas, "FCM LTRS BC WKG", "75201 246 01"},
    {"FFN", "5-Digit", kDallas, "FCM FLTS 5D NON BC", "75201 278 07"},
    {"FFN", "3-Digit", kDallas, "FCM FLTS 3D NON BC", "75201 279 07"},
    {"FFN", "ADC", kDallas, "FCM FLTS ADC NON BC", "75201 280 07"},
    {"FFN", "Mixed ADC", kDallas, "FCM FLTS NON BC WKG", "75201 282 07"},
    {"FFA", "5-Digit", kDallas, "FCM FLTS 5D BC", "75201 272 01"},
    {"FFA", "3-Digit", kDallas, "FCM FLTS 3D BC", "75201 273 01"},
    {"FFA", "ADC", kDallas, "FCM FLTS ADC BC", "75201 274 01"},
    {"FFA", "Mixed ADC", kDallas, "FCM FLTS BC WKG", "75201 275 01"},
    {"FFC", "5-Digit", kDallas, "FCM FLTS 5D BC/NBC", "75201 221 07"},
    {"FFC", "3-Digit", kDallas, "FCM FLTS 3D BC/NBC", "75201 222 07"},
    {"FFC", "ADC", kDallas, "FCM FLTS ADC BC/NBC", "75201 231 07"},
    {"FFC", "Mixed ADC", kDallas, "FCM FLTS BC/NBC WKG", "75201 232 07"},
    {"FPN", "5-Digit", kDallas, "FCM PARCELS 5D", "75201 289"},
    {"FPN", "3-Digit", kDallas, "FCM PARCELS 3D", "75201 290"},
    {"FPN", "ADC", kDallas, "FCM PARCELS ADC", "75201 291"},
    {"FPN", "Mixed ADC", kDallas, "FCM PARCELS WKG", "75201 292"},

    {"SLN", "Carrier Rte - Saturation", kDallas, "STD LTRS ECRWSS", "75201 569 07"},
    {"SLN", "Carrier Rte - High Density", kDallas, "STD LTRS ECRWSH", "75201 570 07"},
    {"SLN", "Carrier Rte - Basic", kDallas, "STD LTRS ECRLOT", "75201 571 07"},
    {"SLN", "CRs to a Single 5-Digit Zip", kDallas, "STD LTRS CR-RTS", "75201 567 07"},
    {"SLN", "CRs to a Single 3-Digit Zip", kDallas, "STD LTRS 3D CR-RTS", "75201 568 07"},
    {"SLN", "5-Digit", kDallas, "STD LTRS 5D NON BC", "75201 550 07"},
    {"SLN", "3-Digit", kDallas, "STD LTRS 3D NON BC", "75201 553 07"},
    {"SLN", "ADC", kDallas, "STD LTRS ADC NON BC", "75201 556 07"},
    {"SLN", "Mixed ADC", kDallas, "STD LTRS NON BC WKG", "75201 559 07"},
    {"SLM", "5-Digit", kDallas, "STD LTRS 5D MANUAL", "75201 604 07"},
    {"SLM", "3-Digit", kDallas, "STD LTRS MANUAL ONLY", "75201 605 07"},
    {"SLM", "ADC", "AUSTIN TX 787", "STD LTRS MANUAL ONLY", "78700 605 07"},
    {"SLM", "Mixed ADC", kDallas, "STD LTRS MANUAL ONLY", "75201 605 07"},
    {"SLU", "5-Digit", kDallas, "STD LTRS 5D UPGR", "75201 552 01"},
    {"SLU", "3-Digit", kDallas, "STD LTRS 3D UPGR", "75201 555 01"},
    {"SLU", "AADC", kDallas, "STD LTRS AADC UPGR", "75201 558 01"},
    {"SLU", "Mixed AADC", kDallas, "STD LTRS UPGR WKG", "75201 560 01"},
    {"SLA", "Single Carrier Route", kDallas, "STD LTRS CR BC", "75201 563 01"},
    {"SLA", "CRs to a Single 5-Digit Zip", kDallas, "STD LTRS CR-RTS BC", "75201 564 01"},
    {"SLA", "CRs to a Single 3-Digit Zip", kDallas, "STD LTRS 3D CR-RTS BC", "75201 565 01"},
    {"SLA", "5-Digit Scheme", kDallas, "STD LTRS BC 5D SCHEME", "75201 541 01"},
    {"SLA", "5-Digit", kDallas, "STD LTRS 5D BC", "75201 542 01"},
    {"SLA", "3-Digit Scheme", kDallas, "STD LTRS BC SCHEME", "75201 543 01"},
    {"SLA", "3-Digit", "DALLAS TX 752", "STD LTRS 3D BC", "75200 544 01"},
    {"SLA", "AADC", kDallas, "STD LTRS AADC BC", "75201 545 01"},
    {"SLA", "Mixed AADC", kDallas, "STD LTRS BC WKG", "75201 546 01"},
    {"SFN", "Carrier Rte - Saturation", kDallas, "STD FLTS ECRWSS", "75201 587"},
    {"SFN", "Carrier Rte - High Density", kDallas, "STD FLTS ECRWSH", "75201 588"},
    {"SFN", "Carrier Rte - Basic", kDallas, "STD FLTS ECRLOT", "75201 589"},
    {"SFN", "CRs to a Single 5-Digit Zip", kDallas, "STD FLTS CR-RTS", "75201 586"},
    {"SFN", "CRs to a 5-Digit Scheme", kDallas, "STD FLTS CR-RTS SCH", "75201 529"},
    {"SFN", "5-Digit", kDallas, "STD FLTS 5D NON BC", "75201 578"},
    {"SFN", "3-Digit", kDallas, "STD FLTS 3D NON BC", "75201 579"},
    {"SFN", "ADC", kDallas, "STD FLTS ADC NON BC", "75201 580"},
    {"SFN", "Mixed ADC", kDallas, "STD FLTS NON BC WKG", "75201 582"},
    {"SFA", "5-Digit", kDallas, "STD FLTS 5D BC", "75201 572"},
    {"SFA", "3-Digit", kDallas, "STD FLTS 3D BC", "75201 573"},
    {"SFA", "ADC", kDallas, "STD FLTS ADC BC", "75201 574"},
    {"SFA", "Mixed ADC", kDallas, "STD FLTS BC WKG", "75201 575"},
    {"SFC", "5-Digit", kDallas, "STD FLTS 5D BC/NBC", "75201 521"},
    {"SFC", "3-Digit", kDallas, "STD FLTS 3D BC/NBC", "75201 522"},
    {"SFC", "ADC", kDallas, "STD FLTS ADC BC/NBC", "75201 531"},
    {"SFC", "Mixed ADC", kDallas, "STD FLTS BC/NBC WKG", "75201 532"},
    {"SFM", "5-Digit Scheme", kDallas, "STD FLTS CR/5D SCH", "75201 549"},
    {"SFM", "5-Digit", kDallas, "STD FLTS CR/5D", "75201 539"},
    {"SPM", "5-Digit", kDallas, "STD MACH 5D", "75201 670"},
    {"SPM", "ASF", kDallas, "STD MACH ASF", "75201 672"},
    {"SPM", "BMC", kDallas, "STD MACH BMC", "75201 673"},
    {"SPM", "Mixed BMC", kDallas, "STD MACH WKG", "75201 674"},
    {"SPI", "Carrier Rte - Saturation", kDallas, "STD IRREG WSS", "75201 599"},
    {"SPI", "Carrier Rte - High Density", kDallas, "STD IRREG WSH", "75201 600"},
    {"SPI", "Carrier Rte - Basic", kDallas, "STD IRREG LOT", "75201 601"},
    {"SPI", "CRs to a Single 5-Digit Zip", kDallas, "STD IRREG CR-RTS", "75201 598"},
    {"SPI", "5-Digit", kDallas, "STD IRREG 5D", "75201 590"},
    {"SPI", "3-Digit", kDallas, "STD IRREG 3D", "75201 591"},
    {"SPI", "ADC", kDallas, "STD IRREG ADC", "75201 592"},
    {"SPI", "Mixed ADC", kDallas, "STD IRREG WKG", "75201 594"},
    {"SPMI", "5-Digit", kDallas, "STD MACH & IRREG 5D", "75201 603"},

    {"PLN", "Carrier Rte - Saturation", kDallas, "PER LTRS WSS", "75201 369 07"},
    {"PLN", "Carrier Rte - High Density", kDallas, "PER LTRS WSH", "75201 370 07"},
    {"PLN", "Carrier Rte - Basic", kDallas, "PER LTRS CR", "75201 366 07"},
    {"PLN", "CRs to a Single 5-Digit Zip", kDallas, "PER LTRS CR-RTS", "75201 367 07"},
    {"PLN", "CRs to a Single 3-Digit Zip", kDallas, "NEWS LTRS 3D CR-RTS", "75201 468 07", News},
    {"PLN", "5-Digit", kDallas, "PER LTRS 5D NON BC", "75201 350 07"},
    {"PLN", "3-Digit", kDallas, "PER LTRS 3D NON BC", "75201 353 07"},
    {"PLN", "ADC", kDallas, "PER LTRS ADC NON BC", "75201 356 07"},
    {"PLN", "Mixed ADC", kDallas, "PER LTRS NON BC WKG", "75201 359 07"},
    {"PLA", "5-Digit Scheme", kDallas, "PER LTRS BC 5D SCHEME", "75201 341 01"},
    {"PLA", "5-Digit", kDallas, "PER LTRS 5D BC", "75201 342 01"},
    {"PLA", "3-Digit Scheme", kDallas, "PER LTRS BC SCHEME", "75201 343 01"},
    {"PLA", "3-Digit", kDallas, "NEWS LTRS 3D BC", "75201 444 01", News},
    {"PLA", "AADC", kDallas, "PER LTRS AADC BC", "75201 345 01"},
    {"PLA", "Mixed AADC", kDallas, "PER LTRS BC WKG", "75201 346 01"},
    {"PFN", "Carrier Rte - Saturation", kDallas, "PER FLTS WSS", "75201 387"},
    {"PFN", "Carrier Rte - High Density", kDallas, "PER FLTS WSH", "75201 388"},
    {"PFN", "Carrier Rte - Basic", kDallas, "PER FLTS CR", "75201 385"},
    {"PFN", "CRs to a Single 5-Digit Zip", kDallas, "PER FLTS CR-RTS", "75201 386"},
    {"PFN", "CRs to a 5-Digit Scheme", kDallas, "PER FLTS CR-RTS SCH", "75201 371"},
    {"PFN", "5-Digit", kDallas, "PER FLTS 5D NON BC", "75201 378"},
    {"PFN", "3-Digit", kDallas, "PER FLTS 3D NON BC", "75201 379"},
    {"PFN", "SCF", "HOUSTON TX 770", "NEWS FLTS SCF NON BC", "77000 484", News},
    {"PFN", "ADC", kDallas, "PER FLTS ADC NON BC", "75201 380"},
    {"PFN", "Mixed ADC", kDallas, "PER FLTS NON BC WKG", "75201 382"},
    {"PFA", "5-Digit", kDallas, "PER FLTS 5D BC", "75201 372"},
    {"PFA", "3-Digit", kDallas, "PER FLTS 3D BC", "75201 373"},
    {"PFA", "SCF", kDallas, "PER FLTS SCF BC", "75201 377"},
    {"PFA", "ADC", kDallas, "PER FLTS ADC BC", "75201 374"},
    {"PFA", "Mixed ADC", kDallas, "PER FLTS BC WKG", "75201 375"},
    {"PFC", "5-Digit", kDallas, "PER FLTS 5D BC/NBC", "75201 321"},
    {"PFC", "3-Digit", kDallas, "PER FLTS 3D BC/NBC", "75201 322"},
    {"PFC", "SCF", kDallas, "PER FLTS SCF BC/NON BC", "75201 329"},
    {"PFC", "ADC", kDallas, "PER FLTS ADC BC/NBC", "75201 331"},
    {"PFC", "Mixed ADC", kDallas, "PER FLTS BC/NBC WKG", "75201 332"},
    {"PFM", "5-Digit Scheme", kDallas, "PER FLTS CR/5D SCH", "75201 349"},
    {"PFM", "5-Digit", kDallas, "NEWS FLTS CR/5D", "75201 439", News},
    {"PPI", "Carrier Rte - Saturation", kDallas, "PER IRREG WSS", "75201 397"},
    {"PPI", "Carrier Rte - High Density", kDallas, "PER IRREG WSH", "75201 398"},
    {"PPI", "Carrier Rte - Basic", kDallas, "PER IRREG CR", "75201 395"},
    {"PPI", "CRs to a Single 5-Digit Zip", kDallas, "PER IRREG CR-RTS", "75201 396"},
    {"PPI", "5-Digit", kDallas, "PER IRREG 5D", "75201 389"},
    {"PPI", "3-Digit", kDallas, "PER IRREG 3D", "75201 390"},
    {"PPI", "ADC", kDallas, "PER IRREG ADC", "75201 391"},
    {"PPI", "Mixed ADC", kDallas, "PER IRREG WKG", "75201 392"},
    {"PPM", "5-Digit Scheme", kDallas, "PER IRREG CR/5D SCH", "75201 365"},
    {"PPM", "5-Digit", kDallas, "PER IRREG CR/5D", "75201 340"},

    {"DSE", "Express", "DENVER CO 80202", "EXPRESS DROP SHIP", "80202 143"},
    {"DSP", "Priority", kDallas, "PRIORITY DROP SHIP", "75201 165"},
};

std::string WithoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(TagDerivation, EveryContentsChoiceGivesItsWordingAndDigits) {
    for (const TagCase& tagCase : kTagCases) {
        SCOPED_TRACE(std::string(tagCase.mailType) + " " + tagCase.contents);
        const MailType type = MailTypeFromCode(tagCase.mailType).value();
        // The dialog upper-cases what is typed before it reaches the tag.
        const TagEntry entry{Upper(tagCase.destination), tagCase.contents, ""};
        const std::optional<TagValues> tag = DeriveTag(entry, type, tagCase.kind);
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(tag->secondLine, tagCase.secondLine);
        EXPECT_EQ(tag->barcodeDigits, WithoutBlanks(tagCase.digits));
        EXPECT_EQ(tag->barcodeDigits.size(), TagKindOf(type) == TagKind::Tray ? 10u : 8u);
    }
}

TEST(TagDerivation, TheCasesCoverEveryChoiceTheDialogOffers) {
    std::set<std::pair<std::string, std::string>> offered;
    for (const ContentsGroup& group : AllContentsGroups()) {
        for (MailType type : group.mailTypes) {
            for (std::string_view item : group.items) {
                offered.emplace(CodeOf(type), item);
            }
        }
    }
    std::set<std::pair<std::string, std::string>> checked;
    for (const TagCase& tagCase : kTagCases) checked.emplace(tagCase.mailType, tagCase.contents);
    EXPECT_EQ(offered, checked);
}

TEST(TagDerivation, PeriodicalKindChoosesPrefixAndDigitOfPeriodicalsOnly) {
    const TagEntry entry{kDallas, "5-Digit", ""};
    EXPECT_EQ(DeriveTag(entry, MailType::PFA, Per)->barcodeDigits, "75201372");
    EXPECT_EQ(DeriveTag(entry, MailType::PFA, News)->secondLine, "NEWS FLTS 5D BC");
    EXPECT_EQ(DeriveTag(entry, MailType::PFA, News)->barcodeDigits, "75201472");
    EXPECT_EQ(DeriveTag(entry, MailType::SFA, News), DeriveTag(entry, MailType::SFA, Per));
}

TEST(TagDerivation, ChoicesAnotherMailTypeOffersAreLeftOff) {
    EXPECT_FALSE(DeriveTag({kDallas, "SCF", ""}, MailType::FLN, Per));
    EXPECT_FALSE(DeriveTag({kDallas, "Express", ""}, MailType::DSP, Per));
}

TEST(ContentsGroups, EveryMailTypeBelongsToExactlyOneGroup) {
    for (const MailTypeInfo& info : AllMailTypes()) {
        const auto count = std::ranges::count_if(AllContentsGroups(), [&](const auto& group) {
            return std::ranges::find(group.mailTypes, info.type) != group.mailTypes.end();
        });
        EXPECT_EQ(count, 1) << info.code;
    }
    EXPECT_EQ(AllContentsGroups().size(), 14u);
}

TEST(ContentsGroups, CodeHeadingsFollowTheGroup) {
    struct Case {
        MailType type;
        CodeHeadings headings;
    };
    const Case cases[] = {
        {MailType::FLN, {}},
        {MailType::FLA, {.carrierRouteCode = true, .schemeLetter = true}},
        {MailType::SLN, {.carrierRouteCode = true}},
        {MailType::SFN, {.carrierRouteCode = true}},
        {MailType::PFN, {.carrierRouteCode = true}},
        {MailType::PPI, {.carrierRouteCode = true}},
        {MailType::SPI, {.carrierRouteCode = true, .processingCode = true}},
        {MailType::SPM, {.processingCode = true}},
        {MailType::PLA, {.schemeLetter = true}},
        {MailType::DSE, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(CodeHeadingsOf(c.type), c.headings) << CodeOf(c.type);
}

TEST(ContentsGroups, CodeFieldIsWantedForRoutesSchemesAndBmcs) {
    struct Case {
        MailType type;
        const char* contents;
        bool wanted;
    };
    const Case cases[] = {
        {MailType::FLA, "Single Carrier Route", true},
        {MailType::FLA, "3-Digit Scheme", true},
        {MailType::FLA, "5-Digit Scheme", false},
        {MailType::SLN, "Carrier Rte - Saturation", true},
        {MailType::SLN, "Carrier Rte - High Density", true},
        {MailType::SLN, "Carrier Rte - Basic", true},
        {MailType::SLN, "CRs to a Single 5-Digit Zip", false},
        {MailType::SPM, "BMC", true},
        {MailType::SPM, "Mixed BMC", true},
        {MailType::SPM, "ASF", false},
        {MailType::SPI, "ADC", true},
        {MailType::SPI, "Mixed ADC", true},
        {MailType::PPI, "ADC", false},
        {MailType::FLN, "ADC", false},
        {MailType::SPI, "adc", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WantsCodeField(c.type, c.contents), c.wanted)
            << CodeOf(c.type) << " " << c.contents;
    }
}

TEST(DestinationSplit, PlaceIsAllBeforeTheLastBlankAndZipAtMostFiveDigits) {
    struct Case {
        const char* destination;
        std::optional<SplitDestination> split;
    };
    const Case cases[] = {
        {"DALLAS TX 75201", SplitDestination{"DALLAS TX", "75201"}},
        {"  DALLAS TX 75201  ", SplitDestination{"DALLAS TX", "75201"}},
        {"DALLAS TX 752", SplitDestination{"DALLAS TX", "752"}},
        {"DALLAS TX 75201-1234", SplitDestination{"DALLAS TX", "75201"}},
        {"DALLAS TX 7520A", SplitDestination{"DALLAS TX", "75200"}},
        {"DALLAS TX ABC", SplitDestination{"DALLAS TX", "000"}},
        {"DALLAS  75201", SplitDestination{"DALLAS ", "75201"}},
        {"A 1", SplitDestination{"A", "1"}},
        // A letter beyond ASCII is one character, so it becomes one "0".
        {"MÜNCHEN É1234", SplitDestination{"MÜNCHEN", "01234"}},
        {"75201", std::nullopt},
        {"   75201", std::nullopt},
        {" 75201 ", std::nullopt},
        {" ", std::nullopt},
        {"  ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitDestinationText(c.destination), c.split) << '"' << c.destination << '"';
    }
}

TEST(DestinationSplit, ShortZipIsPrintedAsTypedAndPaddedInTheBarcode) {
    const std::optional<TagValues> tag =
        DeriveTag({"AUSTIN TX 7", "5-Digit", ""}, MailType::SPM, Per);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->zipText, "7");
    EXPECT_EQ(tag->barcodeDigits, "70000670");
}

TEST(TagSheetBuild, RowsKeepTheirPlacesAndTheSheetTakesTheMailTypesKind) {
    std::array<TagEntry, 10> entries;
    entries[1] = {"DALLAS TX 75201", "Single Carrier Route", "C001"};
    entries[3] = {"75201", "5-Digit", ""};
    entries[4] = {"DALLAS TX 75201", "", ""};
    // A code typed before the contents changed is still printed.
    entries[9] = {"DALLAS TX 752", "3-Digit", "X"};

    const TagSheet sheet = BuildTagSheet(entries, MailType::FLA, Per, "ACME CO");
    EXPECT_EQ(sheet.kind, TagKind::Tray);
    EXPECT_TRUE(sheet.automationStripes);
    EXPECT_EQ(sheet.origin, "ACME CO");
    EXPECT_EQ(sheet.tags[1],
              (TagValues{"DALLAS TX", "75201", "FCM LTRS CR BC", "C001", "7520126301"}));
    EXPECT_EQ(sheet.tags[9], (TagValues{"DALLAS TX", "752", "FCM LTRS 3D BC", "X", "7520024401"}));
    for (int place : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_FALSE(sheet.tags[place]) << place;
}

TEST(TagSheetBuild, OnlyAutomationTraysGetStripes) {
    std::set<MailType> striped;
    for (const MailTypeInfo& info : AllMailTypes()) {
        if (BuildTagSheet({}, info.type, Per, "").automationStripes) striped.insert(info.type);
    }
    EXPECT_EQ(striped, (std::set{MailType::FLA, MailType::FFA, MailType::SLA, MailType::PLA}));
    EXPECT_EQ(BuildTagSheet({}, MailType::SFA, Per, "").kind, TagKind::Sack);
}

}  // namespace

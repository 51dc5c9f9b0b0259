// Checks every contents choice of every mail type against the USPS wording, digits and
// code field, and the rules that split a typed destination into place and ZIP.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "tags/TagContents.h"
#include "tags/TagDerivation.h"

namespace marrowby {

namespace {

using enum PeriodicalKind;

enum CodeField { NoCode, Code };

struct TagCase {
    const char* mailType;
    const char* contents;
    const char* secondLine;
    const char* digits;  // ZIP, content code and tray suffix, blanks between the parts
    CodeField codeField = NoCode;
    PeriodicalKind kind = Per;
    const char* destination = "DALLAS TX 75201";
};

// Grouped by mail type; the worked examples carry their own destinations.
const TagCase kTagCases[] = {
    {"FLN", "5-Digit", "FCM LTRS 5D NON BC", "75201 250 07"},
    {"FLN", "3-Digit", "FCM LTRS 3D NON BC", "75201 253 07"},
    {"FLN", "ADC", "FCM LTRS ADC NON BC", "75201 256 07"},
    {"FLN", "Mixed ADC", "FCM LTRS NON BC WKG", "75201 259 07"},
    {"FLM", "5-Digit", "FCM LTRS 5D MANUAL", "75201 267 07"},
    {"FLM", "3-Digit", "FCM LTRS MANUAL ONLY", "75201 268 07"},
    {"FLM", "ADC", "FCM LTRS MANUAL ONLY", "75201 268 07"},
    {"FLM", "Mixed ADC", "FCM LTRS MANUAL ONLY", "75201 268 07"},
    {"FLU", "5-Digit", "FCM LTRS 5D UPGR", "75201 252 01"},
    {"FLU", "3-Digit", "FCM LTRS 3D UPGR", "75201 255 01"},
    {"FLU", "AADC", "FCM LTRS AADC UPGR", "75201 258 01"},
    {"FLU", "Mixed AADC", "FCM LTRS UPGR WKG", "75201 260 01"},
    {"FLA", "Single Carrier Route", "FCM LTRS CR BC", "75201 263 01", Code},
    {"FLA", "CRs to a Single 5-Digit Zip", "FCM LTRS CR-RTS BC", "75201 264 01"},
    {"FLA", "CRs to a Single 3-Digit Zip", "FCM LTRS 3D CR-RTS BC", "75201 265 01"},
    {"FLA", "5-Digit Scheme", "FCM LTRS BC 5D SCHEME", "75201 241 01"},
    {"FLA", "5-Digit", "FCM LTRS 5D BC", "75201 242 01"},
    {"FLA", "3-Digit Scheme", "FCM LTRS BC SCHEME", "75201 243 01", Code},
    {"FLA", "3-Digit", "FCM LTRS 3D BC", "75201 244 01"},
    {"FLA", "AADC", "FCM LTRS AADC BC", "75201 245 01"},
    {"FLA", "Mixed AADC", "FCM LTRS BC WKG", "75201 246 01"},
    {"FFN", "5-Digit", "FCM FLTS 5D NON BC", "75201 278 07"},
    {"FFN", "3-Digit", "FCM FLTS 3D NON BC", "75201 279 07"},
    {"FFN", "ADC", "FCM FLTS ADC NON BC", "75201 280 07"},
    {"FFN", "Mixed ADC", "FCM FLTS NON BC WKG", "75201 282 07"},
    {"FFA", "5-Digit", "FCM FLTS 5D BC", "75201 272 01"},
    {"FFA", "3-Digit", "FCM FLTS 3D BC", "75201 273 01"},
    {"FFA", "ADC", "FCM FLTS ADC BC", "75201 274 01"},
    {"FFA", "Mixed ADC", "FCM FLTS BC WKG", "75201 275 01"},
    {"FFC", "5-Digit", "FCM FLTS 5D BC/NBC", "75201 221 07"},
    {"FFC", "3-Digit", "FCM FLTS 3D BC/NBC", "75201 222 07"},
    {"FFC", "ADC", "FCM FLTS ADC BC/NBC", "75201 231 07"},
    {"FFC", "Mixed ADC", "FCM FLTS BC/NBC WKG", "75201 232 07"},
    {"FPN", "5-Digit", "FCM PARCELS 5D", "75201 289"},
    {"FPN", "3-Digit", "FCM PARCELS 3D", "75201 290"},
    {"FPN", "ADC", "FCM PARCELS ADC", "75201 291"},
    {"FPN", "Mixed ADC", "FCM PARCELS WKG", "75201 292"},

    {"SLN", "Carrier Rte - Saturation", "STD LTRS ECRWSS", "75201 569 07", Code},
    {"SLN", "Carrier Rte - High Density", "STD LTRS ECRWSH", "75201 570 07", Code},
    {"SLN", "Carrier Rte - Basic", "STD LTRS ECRLOT", "75201 571 07", Code},
    {"SLN", "CRs to a Single 5-Digit Zip", "STD LTRS CR-RTS", "75201 567 07"},
    {"SLN", "CRs to a Single 3-Digit Zip", "STD LTRS 3D CR-RTS", "75201 568 07"},
    {"SLN", "5-Digit", "STD LTRS 5D NON BC", "75201 550 07"},
    {"SLN", "3-Digit", "STD LTRS 3D NON BC", "75201 553 07"},
    {"SLN", "ADC", "STD LTRS ADC NON BC", "75201 556 07"},
    {"SLN", "Mixed ADC", "STD LTRS NON BC WKG", "75201 559 07"},
    {"SLM", "5-Digit", "STD LTRS 5D MANUAL", "75201 604 07"},
    {"SLM", "3-Digit", "STD LTRS MANUAL ONLY", "75201 605 07"},
    {"SLM", "ADC", "STD LTRS MANUAL ONLY", "78700 605 07", NoCode, Per, "AUSTIN TX 787"},
    {"SLM", "Mixed ADC", "STD LTRS MANUAL ONLY", "75201 605 07"},
    {"SLU", "5-Digit", "STD LTRS 5D UPGR", "75201 552 01"},
    {"SLU", "3-Digit", "STD LTRS 3D UPGR", "75201 555 01"},
    {"SLU", "AADC", "STD LTRS AADC UPGR", "75201 558 01"},
    {"SLU", "Mixed AADC", "STD LTRS UPGR WKG", "75201 560 01"},
    {"SLA", "Single Carrier Route", "STD LTRS CR BC", "75201 563 01", Code},
    {"SLA", "CRs to a Single 5-Digit Zip", "STD LTRS CR-RTS BC", "75201 564 01"},
    {"SLA", "CRs to a Single 3-Digit Zip", "STD LTRS 3D CR-RTS BC", "75201 565 01"},
    {"SLA", "5-Digit Scheme", "STD LTRS BC 5D SCHEME", "75201 541 01"},
    {"SLA", "5-Digit", "STD LTRS 5D BC", "75201 542 01"},
    {"SLA", "3-Digit Scheme", "STD LTRS BC SCHEME", "75201 543 01", Code},
    {"SLA", "3-Digit", "STD LTRS 3D BC", "75200 544 01", NoCode, Per, "DALLAS TX 752"},
    {"SLA", "AADC", "STD LTRS AADC BC", "75201 545 01"},
    {"SLA", "Mixed AADC", "STD LTRS BC WKG", "75201 546 01"},
    {"SFN", "Carrier Rte - Saturation", "STD FLTS ECRWSS", "75201 587", Code},
    {"SFN", "Carrier Rte - High Density", "STD FLTS ECRWSH", "75201 588", Code},
    {"SFN", "Carrier Rte - Basic", "STD FLTS ECRLOT", "75201 589", Code},
    {"SFN", "CRs to a Single 5-Digit Zip", "STD FLTS CR-RTS", "75201 586"},
    {"SFN", "CRs to a 5-Digit Scheme", "STD FLTS CR-RTS SCH", "75201 529"},
    {"SFN", "5-Digit", "STD FLTS 5D NON BC", "75201 578"},
    {"SFN", "3-Digit", "STD FLTS 3D NON BC", "75201 579"},
    {"SFN", "ADC", "STD FLTS ADC NON BC", "75201 580"},
    {"SFN", "Mixed ADC", "STD FLTS NON BC WKG", "75201 582"},
    {"SFA", "5-Digit", "STD FLTS 5D BC", "75201 572"},
    {"SFA", "3-Digit", "STD FLTS 3D BC", "75201 573"},
    {"SFA", "ADC", "STD FLTS ADC BC", "75201 574"},
    {"SFA", "Mixed ADC", "STD FLTS BC WKG", "75201 575"},
    {"SFC", "5-Digit", "STD FLTS 5D BC/NBC", "75201 521"},
    {"SFC", "3-Digit", "STD FLTS 3D BC/NBC", "75201 522"},
    {"SFC", "ADC", "STD FLTS ADC BC/NBC", "75201 531"},
    {"SFC", "Mixed ADC", "STD FLTS BC/NBC WKG", "75201 532"},
    {"SFM", "5-Digit Scheme", "STD FLTS CR/5D SCH", "75201 549"},
    {"SFM", "5-Digit", "STD FLTS CR/5D", "75201 539"},
    {"SPM", "5-Digit", "STD MACH 5D", "75201 670"},
    {"SPM", "ASF", "STD MACH ASF", "75201 672"},
    {"SPM", "BMC", "STD MACH BMC", "75201 673", Code},
    {"SPM", "Mixed BMC", "STD MACH WKG", "75201 674", Code},
    {"SPI", "Carrier Rte - Saturation", "STD IRREG WSS", "75201 599", Code},
    {"SPI", "Carrier Rte - High Density", "STD IRREG WSH", "75201 600", Code},
    {"SPI", "Carrier Rte - Basic", "STD IRREG LOT", "75201 601", Code},
    {"SPI", "CRs to a Single 5-Digit Zip", "STD IRREG CR-RTS", "75201 598"},
    {"SPI", "5-Digit", "STD IRREG 5D", "75201 590"},
    {"SPI", "3-Digit", "STD IRREG 3D", "75201 591"},
    {"SPI", "ADC", "STD IRREG ADC", "75201 592", Code},
    {"SPI", "Mixed ADC", "STD IRREG WKG", "75201 594", Code},
    {"SPMI", "5-Digit", "STD MACH & IRREG 5D", "75201 603"},

    {"PLN", "Carrier Rte - Saturation", "PER LTRS WSS", "75201 369 07", Code},
    {"PLN", "Carrier Rte - High Density", "PER LTRS WSH", "75201 370 07", Code},
    {"PLN", "Carrier Rte - Basic", "PER LTRS CR", "75201 366 07", Code},
    {"PLN", "CRs to a Single 5-Digit Zip", "PER LTRS CR-RTS", "75201 367 07"},
    {"PLN", "CRs to a Single 3-Digit Zip", "NEWS LTRS 3D CR-RTS", "75201 468 07", NoCode, News},
    {"PLN", "5-Digit", "PER LTRS 5D NON BC", "75201 350 07"},
    {"PLN", "3-Digit", "PER LTRS 3D NON BC", "75201 353 07"},
    {"PLN", "ADC", "PER LTRS ADC NON BC", "75201 356 07"},
    {"PLN", "Mixed ADC", "PER LTRS NON BC WKG", "75201 359 07"},
    {"PLA", "5-Digit Scheme", "PER LTRS BC 5D SCHEME", "75201 341 01"},
    {"PLA", "5-Digit", "PER LTRS 5D BC", "75201 342 01"},
    {"PLA", "3-Digit Scheme", "PER LTRS BC SCHEME", "75201 343 01", Code},
    {"PLA", "3-Digit", "NEWS LTRS 3D BC", "75201 444 01", NoCode, News},
    {"PLA", "AADC", "PER LTRS AADC BC", "75201 345 01"},
    {"PLA", "Mixed AADC", "PER LTRS BC WKG", "75201 346 01"},
    {"PFN", "Carrier Rte - Saturation", "PER FLTS WSS", "75201 387", Code},
    {"PFN", "Carrier Rte - High Density", "PER FLTS WSH", "75201 388", Code},
    {"PFN", "Carrier Rte - Basic", "PER FLTS CR", "75201 385", Code},
    {"PFN", "CRs to a Single 5-Digit Zip", "PER FLTS CR-RTS", "75201 386"},
    {"PFN", "CRs to a 5-Digit Scheme", "PER FLTS CR-RTS SCH", "75201 371"},
    {"PFN", "5-Digit", "PER FLTS 5D NON BC", "75201 378"},
    {"PFN", "3-Digit", "PER FLTS 3D NON BC", "75201 379"},
    {"PFN", "SCF", "NEWS FLTS SCF NON BC", "77000 484", NoCode, News, "HOUSTON TX 770"},
    {"PFN", "ADC", "PER FLTS ADC NON BC", "75201 380"},
    {"PFN", "Mixed ADC", "PER FLTS NON BC WKG", "75201 382"},
    {"PFA", "5-Digit", "PER FLTS 5D BC", "75201 372"},
    {"PFA", "3-Digit", "PER FLTS 3D BC", "75201 373"},
    {"PFA", "SCF", "PER FLTS SCF BC", "75201 377"},
    {"PFA", "ADC", "PER FLTS ADC BC", "75201 374"},
    {"PFA", "Mixed ADC", "PER FLTS BC WKG", "75201 375"},
    {"PFC", "5-Digit", "PER FLTS 5D BC/NBC", "75201 321"},
    {"PFC", "3-Digit", "PER FLTS 3D BC/NBC", "75201 322"},
    {"PFC", "SCF", "PER FLTS SCF BC/NON BC", "75201 329"},
    {"PFC", "ADC", "PER FLTS ADC BC/NBC", "75201 331"},
    {"PFC", "Mixed ADC", "PER FLTS BC/NBC WKG", "75201 332"},
    {"PFM", "5-Digit Scheme", "PER FLTS CR/5D SCH", "75201 349"},
    {"PFM", "5-Digit", "NEWS FLTS CR/5D", "75201 439", NoCode, News},
    {"PPI", "Carrier Rte - Saturation", "PER IRREG WSS", "75201 397", Code},
    {"PPI", "Carrier Rte - High Density", "PER IRREG WSH", "75201 398", Code},
    {"PPI", "Carrier Rte - Basic", "PER IRREG CR", "75201 395", Code},
    {"PPI", "CRs to a Single 5-Digit Zip", "PER IRREG CR-RTS", "75201 396"},
    {"PPI", "5-Digit", "PER IRREG 5D", "75201 389"},
    {"PPI", "3-Digit", "PER IRREG 3D", "75201 390"},
    {"PPI", "ADC", "PER IRREG ADC", "75201 391"},
    {"PPI", "Mixed ADC", "PER IRREG WKG", "75201 392"},
    {"PPM", "5-Digit Scheme", "PER IRREG CR/5D SCH", "75201 365"},
    {"PPM", "5-Digit", "PER IRREG CR/5D", "75201 340"},

    {"DSE", "Express", "EXPRESS DROP SHIP", "80202 143", NoCode, Per, "DENVER CO 80202"},
    {"DSP", "Priority", "PRIORITY DROP SHIP", "75201 165"},
};

// The table holds every choice the dialog offers, each once.
TEST(TagDerivation, EveryContentsChoiceGivesItsWordingDigitsAndCodeField) {
    std::set<std::pair<std::string, std::string>> offered;
    for (const ContentsGroup& group : AllContentsGroups()) {
        for (MailType type : group.mailTypes) {
            for (std::string_view item : group.items) offered.emplace(CodeOf(type), item);
        }
    }
    for (const TagCase& c : kTagCases) {
        SCOPED_TRACE(std::string(c.mailType) + " " + c.contents);
        EXPECT_EQ(offered.erase({c.mailType, c.contents}), 1u);
        const MailType type = MailTypeFromCode(c.mailType).value();
        const std::optional<TagValues> tag =
            DeriveTag({c.destination, c.contents, ""}, type, c.kind);
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(tag->secondLine, c.secondLine);
        std::string digits = c.digits;
        std::erase(digits, ' ');
        EXPECT_EQ(tag->barcodeDigits, digits);
        EXPECT_EQ(tag->barcodeDigits.size(), TagKindOf(type) == TagKind::Tray ? 10u : 8u);
        EXPECT_EQ(WantsCodeField(type, c.contents), c.codeField == Code);
        // Only periodicals tell Per from News.
        const bool periodical = c.mailType[0] == 'P' && c.kind == Per;
        EXPECT_EQ(DeriveTag({c.destination, c.contents, ""}, type, News) == tag, !periodical);
    }
    EXPECT_TRUE(offered.empty());
    EXPECT_FALSE(DeriveTag({"DALLAS TX 75201", "SCF", ""}, MailType::FLN, Per));
    EXPECT_FALSE(DeriveTag({"DALLAS TX 75201", "Express", ""}, MailType::DSP, Per));
}

TEST(DestinationSplit, PlaceIsAllBeforeTheLastBlankAndZipAtMostFiveDigits) {
    using Split = std::optional<SplitDestination>;
    // clang-format off
    const std::pair<const char*, Split> cases[] = {
        {"  DALLAS TX 75201  ", Split({"DALLAS TX", "75201"})}, {"75201", std::nullopt},
        {"DALLAS TX 752", Split({"DALLAS TX", "752"})},         {"   75201 ", std::nullopt},
        {"DALLAS TX 75201-1234", Split({"DALLAS TX", "75201"})}, {" ", std::nullopt},
        {"DALLAS TX 7520A", Split({"DALLAS TX", "75200"})},     {"", std::nullopt},
        {"DALLAS  75201", Split({"DALLAS ", "75201"})},
        // A letter beyond ASCII is one character, so it becomes one "0".
        {"MÜNCHEN É1234", Split({"MÜNCHEN", "01234"})},
    };
    // clang-format on
    for (const auto& [destination, split] : cases) {
        EXPECT_EQ(SplitDestinationText(destination), split) << '"' << destination << '"';
    }
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
    EXPECT_EQ(sheet.origin, "ACME CO");
    EXPECT_EQ(sheet.tags[1],
              (TagValues{"DALLAS TX", "75201", "FCM LTRS CR BC", "C001", "7520126301"}));
    EXPECT_EQ(sheet.tags[9], (TagValues{"DALLAS TX", "752", "FCM LTRS 3D BC", "X", "7520024401"}));
    for (int place : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_FALSE(sheet.tags[place]) << place;
    EXPECT_EQ(BuildTagSheet({}, MailType::SFA, Per, "").kind, TagKind::Sack);
}

TEST(TagSheetBuild, OnlyAutomationTraysGetStripes) {
    std::set<MailType> striped;
    for (const MailTypeInfo& info : AllMailTypes()) {
        if (BuildTagSheet({}, info.type, Per, "").automationStripes) striped.insert(info.type);
    }
    EXPECT_EQ(striped, (std::set{MailType::FLA, MailType::FFA, MailType::SLA, MailType::PLA}));
}

}  // namespace

}  // namespace marrowby

// The wording and content-code tables of the tray and sack tags, and the rules that
// turn a typed row into the values printed on its tag.
#include "tags/TagDerivation.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace marrowby {

namespace {

using enum MailType;

struct ClassEntry {
    std::vector<MailType> mailTypes;
    std::optional<PeriodicalKind> periodicalKind;  // for the Periodicals only
    std::string_view prefix;
    std::string_view classDigit;    // empty for the drop-ship tags
    std::string_view dropShipCode;  // the whole content code of a drop-ship tag
};

// clang-format off
const std::vector<ClassEntry> kClasses{
    {{FLN, FLM, FLU, FLA, FFN, FFA, FFC, FPN},                  std::nullopt,         "FCM ",  "2", ""},
    {{SLN, SLM, SLU, SLA, SFN, SFA, SFC, SFM, SPM, SPI, SPMI},  std::nullopt,         "STD ",  "5", ""},
    {{PLN, PLA, PFN, PFA, PFC, PFM, PPI, PPM},                  PeriodicalKind::Per,  "PER ",  "3", ""},
    {{PLN, PLA, PFN, PFA, PFC, PFM, PPI, PPM},                  PeriodicalKind::News, "NEWS ", "4", ""},
    {{DSE},                                        std::nullopt, "EXPRESS DROP SHIP",  "", "143"},
    {{DSP},                                        std::nullopt, "PRIORITY DROP SHIP", "", "165"},
};
// clang-format on

struct WordingEntry {
    std::string_view contents;
    std::vector<MailType> mailTypes;
    std::string_view wording;
    // Two digits follow the class digit; three digits replace it; none for drop ship.
    std::string_view code;
};

// clang-format off
const std::vector<WordingEntry> kWordings{
    {"Carrier Rte - Saturation",    {SLN},           "LTRS ECRWSS",        "69"},
    {"Carrier Rte - Saturation",    {PLN},           "LTRS WSS",           "69"},
    {"Carrier Rte - Saturation",    {SFN},           "FLTS ECRWSS",        "87"},
    {"Carrier Rte - Saturation",    {PFN},           "FLTS WSS",           "87"},
    {"Carrier Rte - Saturation",    {PPI},           "IRREG WSS",          "97"},
    {"Carrier Rte - Saturation",    {SPI},           "IRREG WSS",          "99"},
    {"Carrier Rte - High Density",  {SLN},           "LTRS ECRWSH",        "70"},
    {"Carrier Rte - High Density",  {PLN},           "LTRS WSH",           "70"},
    {"Carrier Rte - High Density",  {SFN},           "FLTS ECRWSH",        "88"},
    {"Carrier Rte - High Density",  {PFN},           "FLTS WSH",           "88"},
    {"Carrier Rte - High Density",  {PPI},           "IRREG WSH",          "98"},
    {"Carrier Rte - High Density",  {SPI},           "IRREG WSH",          "600"},
    {"Carrier Rte - Basic",         {SLN},           "LTRS ECRLOT",        "71"},
    {"Carrier Rte - Basic",         {PLN},           "LTRS CR",            "66"},
    {"Carrier Rte - Basic",         {SFN},           "FLTS ECRLOT",        "89"},
    {"Carrier Rte - Basic",         {PFN},           "FLTS CR",            "85"},
    {"Carrier Rte - Basic",         {PPI},           "IRREG CR",           "95"},
    {"Carrier Rte - Basic",         {SPI},           "IRREG LOT",          "601"},
    {"Single Carrier Route",        {FLA, SLA},      "LTRS CR BC",         "63"},
    {"CRs to a Single 5-Digit Zip", {SLN, PLN},      "LTRS CR-RTS",        "67"},
    {"CRs to a Single 5-Digit Zip", {FLA, SLA},      "LTRS CR-RTS BC",     "64"},
    {"CRs to a Single 5-Digit Zip", {SFN, PFN},      "FLTS CR-RTS",        "86"},
    {"CRs to a Single 5-Digit Zip", {SPI},           "IRREG CR-RTS",       "98"},
    {"CRs to a Single 5-Digit Zip", {PPI},           "IRREG CR-RTS",       "96"},
    {"CRs to a 5-Digit Scheme",     {PFN},           "FLTS CR-RTS SCH",    "71"},
    {"CRs to a 5-Digit Scheme",     {SFN},           "FLTS CR-RTS SCH",    "29"},
    {"CRs to a Single 3-Digit Zip", {SLN, PLN},      "LTRS 3D CR-RTS",     "68"},
    {"CRs to a Single 3-Digit Zip", {FLA, SLA},      "LTRS 3D CR-RTS BC",  "65"},
    {"5-Digit",                     {FLN, SLN, PLN}, "LTRS 5D NON BC",     "50"},
    {"5-Digit",                     {FLM},           "LTRS 5D MANUAL",     "67"},
    {"5-Digit",                     {SLM},           "LTRS 5D MANUAL",     "604"},
    {"5-Digit",                     {FLU, SLU},      "LTRS 5D UPGR",       "52"},
    {"5-Digit",                     {FLA, SLA, PLA}, "LTRS 5D BC",         "42"},
    {"5-Digit",                     {FFN, SFN, PFN}, "FLTS 5D NON BC",     "78"},
    {"5-Digit",                     {FFA, SFA, PFA}, "FLTS 5D BC",         "72"},
    {"5-Digit",                     {FFC, SFC, PFC}, "FLTS 5D BC/NBC",     "21"},
    {"5-Digit",                     {FPN},           "PARCELS 5D",         "89"},
    {"5-Digit",                     {PPI},           "IRREG 5D",           "89"},
    {"5-Digit",                     {SPI},           "IRREG 5D",           "90"},
    {"5-Digit",                     {SPM},           "MACH 5D",            "670"},
    {"5-Digit",                     {SPMI},          "MACH & IRREG 5D",    "603"},
    {"5-Digit",                     {SFM, PFM},      "FLTS CR/5D",         "39"},
    {"5-Digit",                     {PPM},           "IRREG CR/5D",        "40"},
    {"5-Digit Scheme",              {FLA, SLA, PLA}, "LTRS BC 5D SCHEME",  "41"},
    {"5-Digit Scheme",              {SFM, PFM},      "FLTS CR/5D SCH",     "49"},
    {"5-Digit Scheme",              {PPM},           "IRREG CR/5D SCH",    "65"},
    {"3-Digit",                     {FLN, SLN, PLN}, "LTRS 3D NON BC",     "53"},
    {"3-Digit",                     {FLM},           "LTRS MANUAL ONLY",   "68"},
    {"3-Digit",                     {SLM},           "LTRS MANUAL ONLY",   "605"},
    {"3-Digit",                     {FLU, SLU},      "LTRS 3D UPGR",       "55"},
    {"3-Digit",                     {FLA, SLA, PLA}, "LTRS 3D BC",         "44"},
    {"3-Digit",                     {FFN, SFN, PFN}, "FLTS 3D NON BC",     "79"},
    {"3-Digit",                     {FFA, SFA, PFA}, "FLTS 3D BC",         "73"},
    {"3-Digit",                     {FFC, SFC, PFC}, "FLTS 3D BC/NBC",     "22"},
    {"3-Digit",                     {FPN},           "PARCELS 3D",         "90"},
    {"3-Digit",                     {PPI},           "IRREG 3D",           "90"},
    {"3-Digit",                     {SPI},           "IRREG 3D",           "91"},
    {"3-Digit Scheme",              {FLA, SLA, PLA}, "LTRS BC SCHEME",     "43"},
    {"SCF",                         {PFN},           "FLTS SCF NON BC",    "84"},
    {"SCF",                         {PFA},           "FLTS SCF BC",        "77"},
    {"SCF",                         {PFC},           "FLTS SCF BC/NON BC", "29"},
    {"ADC",                         {FLN, SLN, PLN}, "LTRS ADC NON BC",    "56"},
    {"ADC",                         {FLM},           "LTRS MANUAL ONLY",   "68"},
    {"ADC",                         {SLM},           "LTRS MANUAL ONLY",   "605"},
    {"ADC",                         {FFN, SFN, PFN}, "FLTS ADC NON BC",    "80"},
    {"ADC",                         {FFA, SFA, PFA}, "FLTS ADC BC",        "74"},
    {"ADC",                         {FFC, SFC, PFC}, "FLTS ADC BC/NBC",    "31"},
    {"ADC",                         {FPN},           "PARCELS ADC",        "91"},
    {"ADC",                         {PPI},           "IRREG ADC",          "91"},
    {"ADC",                         {SPI},           "IRREG ADC",          "92"},
    {"AADC",                        {FLU, SLU},      "LTRS AADC UPGR",     "58"},
    {"AADC",                        {FLA, SLA, PLA}, "LTRS AADC BC",       "45"},
    {"Mixed ADC",                   {FLN, SLN, PLN}, "LTRS NON BC WKG",    "59"},
    {"Mixed ADC",                   {FLM},           "LTRS MANUAL ONLY",   "68"},
    {"Mixed ADC",                   {SLM},           "LTRS MANUAL ONLY",   "605"},
    {"Mixed ADC",                   {FFN, SFN, PFN}, "FLTS NON BC WKG",    "82"},
    {"Mixed ADC",                   {FFA, SFA, PFA}, "FLTS BC WKG",        "75"},
    {"Mixed ADC",                   {FFC, SFC, PFC}, "FLTS BC/NBC WKG",    "32"},
    {"Mixed ADC",                   {FPN},           "PARCELS WKG",        "92"},
    {"Mixed ADC",                   {PPI},           "IRREG WKG",          "92"},
    {"Mixed ADC",                   {SPI},           "IRREG WKG",          "94"},
    {"Mixed AADC",                  {FLU, SLU},      "LTRS UPGR WKG",      "60"},
    {"Mixed AADC",                  {FLA, SLA, PLA}, "LTRS BC WKG",        "46"},
    // Three digits like "MACH 5D", so that these sack tags also carry eight digits.
    {"ASF",                         {SPM},           "MACH ASF",           "672"},
    {"BMC",                         {SPM},           "MACH BMC",           "673"},
    {"Mixed BMC",                   {SPM},           "MACH WKG",           "674"},
    {"Express",                     {DSE},           "",                   ""},
    {"Priority",                    {DSP},           "",                   ""},
};

struct TraySuffixEntry {
    std::string_view suffix;
    std::vector<MailType> mailTypes;
};

const std::vector<TraySuffixEntry> kTraySuffixes{
    {"01", {FLA, FLU, FFA, SLA, SLU, PLA}},
    {"07", {FLN, FLM, FFN, FFC, SLN, SLM, PLN}},
};
// clang-format on

// Automation trays carry the slanted bars beside their barcode.
constexpr std::array kStripedTrays{FLA, FFA, SLA, PLA};

bool Holds(const std::vector<MailType>& types, MailType type) {
    return std::ranges::find(types, type) != types.end();
}

const ClassEntry& ClassOf(MailType type, PeriodicalKind kind) {
    const auto found = std::ranges::find_if(kClasses, [&](const ClassEntry& entry) {
        return Holds(entry.mailTypes, type) &&
               (!entry.periodicalKind || *entry.periodicalKind == kind);
    });
    return *found;
}

bool IsBlank(char c) { return c == ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// A UTF-8 continuation byte belongs to the character before it.
bool ContinuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first five characters of a ZIP word, each one that is not a digit made "0".
std::string ZipDigits(std::string_view word) {
    std::string zip;
    for (std::size_t at = 0; at < word.size() && zip.size() < 5; ++at) {
        if (ContinuesCharacter(word[at])) continue;
        zip += IsDigit(word[at]) ? word[at] : '0';
    }
    return zip;
}

}  // namespace

std::optional<SplitDestination> SplitDestinationText(std::string_view destination) {
    std::string_view text = destination;
    while (text.size() > 1 && IsBlank(text.front())) text.remove_prefix(1);
    while (text.size() > 1 && IsBlank(text.back())) text.remove_suffix(1);
    const std::size_t lastBlank = text.rfind(' ');
    if (lastBlank == std::string_view::npos || lastBlank == 0) return std::nullopt;
    return SplitDestination{std::string(text.substr(0, lastBlank)),
                            ZipDigits(text.substr(lastBlank + 1))};
}

std::optional<ContentsLine> ContentsLineOf(MailType type, PeriodicalKind kind,
                                           std::string_view contents) {
    const auto found = std::ranges::find_if(kWordings, [&](const WordingEntry& entry) {
        return entry.contents == contents && Holds(entry.mailTypes, type);
    });
    if (found == kWordings.end()) return std::nullopt;
    const ClassEntry& cls = ClassOf(type, kind);
    std::string code;
    if (found->code.empty()) {
        code = cls.dropShipCode;
    } else if (found->code.size() == 3) {
        code = found->code;
    } else {
        code = std::string(cls.classDigit) + std::string(found->code);
    }
    return ContentsLine{std::string(cls.prefix) + std::string(found->wording), code};
}

std::string_view TraySuffixOf(MailType type) {
    for (const TraySuffixEntry& entry : kTraySuffixes) {
        if (Holds(entry.mailTypes, type)) return entry.suffix;
    }
    return {};
}

std::string BarcodeDigitsOf(std::string_view zipText, std::string_view contentCode,
                            std::string_view traySuffix) {
    std::string digits(zipText);
    digits.resize(5, '0');
    digits += contentCode;
    digits += traySuffix;
    return digits;
}

bool HasAutomationStripes(MailType type) {
    return std::ranges::find(kStripedTrays, type) != kStripedTrays.end();
}

std::optional<TagValues> DeriveTag(const TagEntry& entry, MailType type, PeriodicalKind kind) {
    if (entry.destination.empty() || entry.contents.empty()) return std::nullopt;
    const std::optional<SplitDestination> split = SplitDestinationText(entry.destination);
    const std::optional<ContentsLine> line = ContentsLineOf(type, kind, entry.contents);
    if (!split || !line) return std::nullopt;
    return TagValues{split->placeText, split->zipText, line->secondLine, entry.code,
                     BarcodeDigitsOf(split->zipText, line->contentCode, TraySuffixOf(type))};
}

TagSheet BuildTagSheet(const std::array<TagEntry, 10>& entries, MailType type, PeriodicalKind kind,
                       std::string origin) {
    TagSheet sheet;
    sheet.kind = TagKindOf(type);
    sheet.automationStripes = HasAutomationStripes(type);
    sheet.origin = std::move(origin);
    for (std::size_t place = 0; place < entries.size(); ++place) {
        sheet.tags[place] = DeriveTag(entries[place], type, kind);
    }
    return sheet;
}

}  // namespace marrowby

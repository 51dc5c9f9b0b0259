// The mail type table, in the order the mail type dialog shows it.
#include "tags/MailTypes.h"

#include <array>
#include <stdexcept>

namespace marrowby {

namespace {

using enum MailType;
using enum MailSection;
using enum MailColumn;
constexpr TagKind Tray = TagKind::Tray;
constexpr TagKind Sack = TagKind::Sack;

// clang-format off
constexpr std::array<MailTypeInfo, 29> kMailTypes{{
    {FLN,  "FLN",  FirstClass,  Letters, "Presort Basic",  Tray},
    {FLM,  "FLM",  FirstClass,  Letters, "Presort Manual", Tray},
    {FLU,  "FLU",  FirstClass,  Letters, "Upgradable",     Tray},
    {FLA,  "FLA",  FirstClass,  Letters, "Automation",     Tray},
    {FFN,  "FFN",  FirstClass,  Flats,   "Presorted",      Tray},
    {FFA,  "FFA",  FirstClass,  Flats,   "Automation",     Tray},
    {FFC,  "FFC",  FirstClass,  Flats,   "Co-Trayed",      Tray},
    {FPN,  "FPN",  FirstClass,  Parcels, "Presorted",      Sack},
    {SLN,  "SLN",  StandardA,   Letters, "Presort Basic",  Tray},
    {SLM,  "SLM",  StandardA,   Letters, "Presort Manual", Tray},
    {SLU,  "SLU",  StandardA,   Letters, "Upgradable",     Tray},
    {SLA,  "SLA",  StandardA,   Letters, "Automation",     Tray},
    {SFN,  "SFN",  StandardA,   Flats,   "Presorted",      Sack},
    {SFA,  "SFA",  StandardA,   Flats,   "Automation",     Sack},
    {SFC,  "SFC",  StandardA,   Flats,   "Co-Trayed",      Sack},
    {SFM,  "SFM",  StandardA,   Flats,   "Merged",         Sack},
    {SPM,  "SPM",  StandardA,   Parcels, "Machinable",     Sack},
    {SPI,  "SPI",  StandardA,   Parcels, "Irregular",      Sack},
    {SPMI, "SPMI", StandardA,   Parcels, "Mach and Irreg", Sack},
    {PLN,  "PLN",  Periodicals, Letters, "Presort Basic",  Tray},
    {PLA,  "PLA",  Periodicals, Letters, "Automation",     Tray},
    {PFN,  "PFN",  Periodicals, Flats,   "Presort Basic",  Sack},
    {PFA,  "PFA",  Periodicals, Flats,   "Automation",     Sack},
    {PFC,  "PFC",  Periodicals, Flats,   "Co-Trayed",      Sack},
    {PFM,  "PFM",  Periodicals, Flats,   "Merged",         Sack},
    {PPI,  "PPI",  Periodicals, Parcels, "Irregular",      Sack},
    {PPM,  "PPM",  Periodicals, Parcels, "Merged",         Sack},
    {DSE,  "DSE",  DropShip,    None,    "Express Mail",   Sack},
    {DSP,  "DSP",  DropShip,    None,    "Priority Mail",  Sack},
}};
// clang-format on

// The enumeration follows the table, so a type's value is its row.
constexpr bool TableFollowsEnumeration() {
    for (std::size_t row = 0; row < kMailTypes.size(); ++row) {
        if (static_cast<std::size_t>(kMailTypes[row].type) != row) return false;
    }
    return true;
}
static_assert(TableFollowsEnumeration());

}  // namespace

std::span<const MailTypeInfo> AllMailTypes() { return kMailTypes; }

const MailTypeInfo& InfoOf(MailType type) { return kMailTypes.at(static_cast<std::size_t>(type)); }

std::string_view CodeOf(MailType type) { return InfoOf(type).code; }

std::optional<MailType> MailTypeFromCode(std::string_view code) {
    for (const MailTypeInfo& info : kMailTypes) {
        if (info.code == code) return info.type;
    }
    return std::nullopt;
}

TagKind TagKindOf(MailType type) { return InfoOf(type).kind; }

}  // namespace marrowby

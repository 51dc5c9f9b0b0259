// The 29 mail types a sheet of tags can be made for: where each stands in the mail type
// dialog, its caption and whether it gets tray or sack tags.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tags/TagSheet.h"

// clang-format off
enum class MailType {
    FLN, FLM, FLU, FLA, FFN, FFA, FFC, FPN,
    SLN, SLM, SLU, SLA, SFN, SFA, SFC, SFM, SPM, SPI, SPMI,
    PLN, PLA, PFN, PFA, PFC, PFM, PPI, PPM,
    DSE, DSP
};
// clang-format on

enum class MailSection { FirstClass, StandardA, Periodicals, DropShip };
enum class MailColumn { Letters, Flats, Parcels, None };
// The choice beside the Periodicals section: it decides their class prefix and digit.
enum class PeriodicalKind { Per, News };

// What the mail type dialog hands the tag dialog when the tags are entered.
struct MailTypeChoice {
    MailType type = MailType::FLN;
    PeriodicalKind periodicalKind = PeriodicalKind::Per;
    std::string origin;  // the last line of every tag
    bool operator==(const MailTypeChoice&) const = default;
};

struct MailTypeInfo {
    MailType type;
    std::string_view code;  // also the radio button's name
    MailSection section;
    MailColumn column;
    std::string_view caption;
    TagKind kind;
};

// Every mail type in the dialog's order (section, then column, then line).
std::span<const MailTypeInfo> AllMailTypes();
const MailTypeInfo& InfoOf(MailType type);
std::string_view CodeOf(MailType type);
std::optional<MailType> MailTypeFromCode(std::string_view code);
TagKind TagKindOf(MailType type);

// What each tag row prints: its destination split into place and ZIP, its second line
// and its barcode digits, derived from the mail type and the contents chosen.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "tags/MailTypes.h"
#include "tags/TagSheet.h"

namespace marrowby {

// One row of the tag dialog as typed (upper case, UTF-8).
struct TagEntry {
    std::string destination;
    std::string contents;  // empty when no item is chosen
    std::string code;      // route, scheme or processing code
};

struct SplitDestination {
    std::string placeText;
    std::string zipText;  // at most five digits; may be shorter than five
    bool operator==(const SplitDestination&) const = default;
};

struct ContentsLine {
    std::string secondLine;   // class prefix and wording
    std::string contentCode;  // three digits
    bool operator==(const ContentsLine&) const = default;
};

// The place and ZIP of a destination; nothing when it has no blank or no place.
std::optional<SplitDestination> SplitDestinationText(std::string_view destination);
// Nothing when the mail type does not offer these contents.
std::optional<ContentsLine> ContentsLineOf(MailType type, PeriodicalKind kind,
                                           std::string_view contents);
// "01" or "07" on a tray tag, empty on a sack tag.
std::string_view TraySuffixOf(MailType type);
// The ZIP padded with "0" to five digits, then the content code and the tray suffix.
std::string BarcodeDigitsOf(std::string_view zipText, std::string_view contentCode,
                            std::string_view traySuffix);
bool HasAutomationStripes(MailType type);

// Nothing when the row is left off the sheet: no destination, no contents, or a
// destination without place or ZIP.
std::optional<TagValues> DeriveTag(const TagEntry& entry, MailType type, PeriodicalKind kind);
TagSheet BuildTagSheet(const std::array<TagEntry, 10>& entries, MailType type, PeriodicalKind kind,
                       std::string origin);

}  // namespace marrowby

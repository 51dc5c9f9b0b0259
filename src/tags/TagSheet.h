// What one printed sheet of tags holds: the values derived from the tag dialog's rows,
// ready for the page layout.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace marrowby {

enum class TagKind { Tray, Sack };

// One tag's printed values. Every text is upper case as typed (UTF-8).
struct TagValues {
    std::string placeText;      // the destination less its last word
    std::string zipText;        // at most five digits, printed as is
    std::string secondLine;     // class prefix and contents wording
    std::string codeText;       // route, scheme or processing code; may be empty
    std::string barcodeDigits;  // 10 digits on a tray tag, 8 on a sack tag
    bool operator==(const TagValues&) const = default;
};

struct TagSheet {
    TagKind kind = TagKind::Tray;
    bool automationStripes = false;  // FLA, FFA, SLA and PLA tray tags
    std::string origin;              // bottom line of every tag; may be empty
    // Place n (1 to 10) holds tags[n - 1]; an empty place stays blank.
    std::array<std::optional<TagValues>, 10> tags;
};

}  // namespace marrowby

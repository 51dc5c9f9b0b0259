// The kinds of mailing-list file, as the texts the program compares and shows.
#pragma once

#include <string>
#include <string_view>

namespace marrowby {

inline constexpr std::string_view kAsciiTab = "Ascii Tab-Delimited";
inline constexpr std::string_view kAsciiComma = "Ascii Comma-Delimited";
inline constexpr std::string_view kAsciiMerge = "Ascii Merge";
// Used only while the field-name line of a merge file is split for the record viewer.
inline constexpr std::string_view kAsciiMergeIndex = "Ascii MergeIndex";
inline constexpr std::string_view kDbase = "dBase";
inline constexpr std::string_view kAccess = "Access";

inline bool IsTextKind(std::string_view kind) { return kind.substr(0, 5) == "Ascii"; }

}  // namespace marrowby

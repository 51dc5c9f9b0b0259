// What a field may hold and still receive a barcode without losing data: blanks, or the
// barcode text of an earlier run.
#pragma once

#include <algorithm>
#include <string_view>

// Blank (spaces or NUL bytes), or twelve digits between two equal frame-bar strings without
// digits, trailing blanks allowed.
inline bool BlankOrBarcode(std::string_view value) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const size_t last = value.find_last_not_of(std::string_view(" \0", 2));
    if (last == std::string_view::npos) return true;
    value = value.substr(0, last + 1);
    if (value.size() < 14 || (value.size() - 12) % 2 != 0) return false;
    const size_t frame = (value.size() - 12) / 2;
    const std::string_view bar = value.substr(0, frame);
    const std::string_view digits = value.substr(frame, 12);
    return bar == value.substr(frame + 12) && std::none_of(bar.begin(), bar.end(), isDigit) &&
           std::all_of(digits.begin(), digits.end(), isDigit);
}

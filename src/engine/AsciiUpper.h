// Upper case for the ASCII letters of bytes; other bytes (Windows-1252, UTF-8) stay as
// they are, so names and keywords compare without regard to letter case.
#pragma once

#include <string>

namespace marrowby {

inline void AsciiUpperInPlace(std::string& text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

inline std::string AsciiUpper(std::string text) {
    AsciiUpperInPlace(text);
    return text;
}

}  // namespace marrowby

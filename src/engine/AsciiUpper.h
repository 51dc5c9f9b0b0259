// Upper case for the ASCII letters of bytes; other bytes (Windows-1252, UTF-8) stay as
// they are, so names and keywords compare without regard to letter case.
#pragma once

#include <string>

namespace marrowby {

inline char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline void AsciiUpperInPlace(std::string& text) {
    for (char& c : text) c = AsciiUpper(c);
}

inline std::string AsciiUpper(std::string text) {
    AsciiUpperInPlace(text);
    return text;
}

}  // namespace marrowby

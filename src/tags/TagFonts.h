// The tag font settings of fonts.dat: one font for every tag and five sizes in points,
// checked before anything is printed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SettingsFile.h"

namespace marrowby {

inline constexpr const char* TagFontsFileName = "fonts.dat";

// The lines of fonts.dat, counted from 0 as the list holds them.
enum TagFontLine {
    kFontNameLine = 1,
    kTrayUpperSizeLine = 2,   // tray: place text and second line
    kTrayCornerSizeLine = 3,  // tray: ZIP and code text, upper right
    kTrayBottomSizeLine = 4,  // tray: barcode digits and origin line
    kSackTextSizeLine = 5,    // sack: the text right of the barcode
    kSackCornerSizeLine = 6,  // sack: ZIP and code text at the right edge
    kTagFontLineCount = 7,
};

struct TagFonts {
    std::string family;
    int trayUpper = 0;
    int trayCorner = 0;
    int trayBottom = 0;
    int sackText = 0;
    int sackCorner = 0;
};

// The sizes a tag text may have, in points: smaller is unreadable, larger leaves the tag.
inline constexpr int kSmallestFontSize = 4;
inline constexpr int kLargestFontSize = 72;

// A size as the tag font dialog accepts it: decimal digits only (leading zeros allowed),
// a value from kSmallestFontSize to kLargestFontSize.
std::optional<int> FontSizeOf(std::string_view text);

// The fonts of the lines of fonts.dat. A missing line or a size FontSizeOf refuses throws
// MarrowbyError naming the line as a text editor counts it (from 1).
TagFonts TagFontsFromLines(const LineList& lines);

// fonts.dat as the tag dialog last read it: the fonts, or why they cannot be used.
class TagFontSettings {
  public:
    explicit TagFontSettings(std::filesystem::path programFolder);

    // Reads fonts.dat from the program folder again; never throws.
    void reload();
    // The fonts, or nothing when problem() says why not.
    const std::optional<TagFonts>& fonts() const { return fonts_; }
    const std::string& problem() const { return problem_; }

  private:
    std::filesystem::path programFolder_;
    std::optional<TagFonts> fonts_;
    std::string problem_;
};

}  // namespace marrowby

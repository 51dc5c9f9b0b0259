// "Install Barcode Fonts": copies Marrowby's barcode fonts into the user's own font folder,
// refreshes the font cache and tells the user which fonts and sizes to choose.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace marrowby {

class Prompter;

// One barcode font as the user meets it: its file and the name a word processor lists.
struct BarcodeFont {
    const char* file;
    const char* family;
    const char* use;  // what the font prints, for the closing message
};

// The fonts that ship with Marrowby and the one size they are drawn for.
const std::vector<BarcodeFont>& BarcodeFonts();
constexpr int kBarcodeFontPoints = 16;

class BarcodeFontInstaller {
  public:
    // sourceFolders are searched in order for a folder holding every font; fcCache is the
    // program that refreshes the font cache.
    BarcodeFontInstaller(Prompter& prompter, std::vector<std::filesystem::path> sourceFolders,
                         std::string fcCache = "fc-cache");

    // Does the whole command and reports the result in one message. Running it again
    // rewrites nothing that is already in place.
    void Install();

    // $XDG_DATA_HOME/fonts when that is an absolute path, otherwise ~/.local/share/fonts;
    // empty when neither can be known.
    static std::filesystem::path UserFontFolder();
    // The fonts beside an installed program, then those of the source tree it was built
    // from (a program run from its build folder).
    static std::vector<std::filesystem::path> DefaultSourceFolders();

  private:
    std::filesystem::path findSource() const;
    // False when the file is in place already with the same bytes.
    bool copyFont(const std::filesystem::path& from, const std::filesystem::path& to) const;
    // Empty when the cache was refreshed, otherwise why not.
    std::string refreshCache(const std::filesystem::path& folder) const;

    Prompter& prompter_;
    std::vector<std::filesystem::path> sourceFolders_;
    std::string fcCache_;
};

}  // namespace marrowby

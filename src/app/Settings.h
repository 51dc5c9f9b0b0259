// The settings files prefs.dat and fonts.dat in the program folder: loading with
// defaults for a new or short file, and the choices the preferences dialog edits.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/SettingsFile.h"

namespace marrowby {

inline constexpr const char* PreferencesFileName = "prefs.dat";

// Default lines of each file; a missing file is created with them and a short one is
// completed with the missing lines.
const LineList& DefaultPreferences();
const LineList& DefaultTagFonts();

// Reads the file of the folder, creating or completing it with the defaults first.
// Lines already in the file are never changed. Throws MarrowbyError when the file
// exists but cannot be read, or cannot be written.
LineList LoadSettingsFile(const std::filesystem::path& file, const LineList& defaults);
LineList LoadPreferences(const std::filesystem::path& programFolder);
// The preferences as LoadPreferences gives them, without writing anything: for queries.
LineList ReadPreferences(const std::filesystem::path& programFolder);
LineList LoadTagFonts(const std::filesystem::path& programFolder);

// Entries of the preference list, counted from 0.
namespace PreferenceEntry {
constexpr int SaveMode = 1;    // "0" add barcodes to the file, "1" barcodes-only file
constexpr int FileNaming = 2;  // "0" name it "Barcode.txt", "1" ask for a name
constexpr int FrameBar = 3;    // the barcode font's frame-bar character
}  // namespace PreferenceEntry

// What the preferences dialog shows and edits: the two radio-group indexes and the
// frame bar as the bytes of the file.
struct PreferenceChoices {
    int saveMode = 0;
    int fileNaming = 0;
    std::string frameBar;
};

// Throws MarrowbyError("prefs.dat line 2: 'x' is not 0 or 1") for a save mode or file
// naming line that is not a decimal number, naming a missing line likewise. The file run
// counts every value other than 1 as the first choice, so the dialog shows it that way too.
PreferenceChoices ReadChoices(const LineList& preferences);
// The same, never throwing: a damaged or missing line gives the first choice (the frame
// bar "/") and its message is added to `problems`, so the user can mend it in the dialog.
PreferenceChoices ReadChoices(const LineList& preferences, std::vector<std::string>& problems);
void StoreChoices(const PreferenceChoices& choices, LineList& preferences);

}  // namespace marrowby

#include "app/Settings.h"

#include <cctype>

#include "engine/MarrowbyError.h"
#include "tags/TagFonts.h"

namespace marrowby {

namespace fs = std::filesystem;

const LineList& DefaultPreferences() {
    static const LineList lines = {"Marrowby preferences", "0", "0", "/"};
    return lines;
}

const LineList& DefaultTagFonts() {
    static const LineList lines = {"Marrowby tag fonts", "Arial", "12", "12", "10", "10", "10"};
    return lines;
}

LineList LoadSettingsFile(const fs::path& file, const LineList& defaults) {
    bool complete = false;
    LineList lines = ReadCompletedLineList(file, defaults, &complete);
    if (!complete) WriteLineList(file, lines);
    return lines;
}

LineList LoadPreferences(const fs::path& programFolder) {
    return LoadSettingsFile(programFolder / PreferencesFileName, DefaultPreferences());
}

LineList ReadPreferences(const fs::path& programFolder) {
    return ReadCompletedLineList(programFolder / PreferencesFileName, DefaultPreferences());
}

LineList LoadTagFonts(const fs::path& programFolder) {
    return LoadSettingsFile(programFolder / TagFontsFileName, DefaultTagFonts());
}

namespace {
// A damaged or missing line is named by file and line, counted from 1.
std::string LineName(int index) {
    return std::string(PreferencesFileName) + " line " + std::to_string(index + 1);
}

const std::string& Entry(const LineList& preferences, int index) {
    if (static_cast<size_t>(index) >= preferences.size()) {
        throw MarrowbyError(LineName(index) + " is missing");
    }
    return preferences[index];
}

// A radio-group index: a decimal number with optional blanks before it and an optional
// sign. The file run takes every value but 1 as the first choice; so does the dialog.
int Choice(const LineList& preferences, int index) {
    const std::string& text = Entry(preferences, index);
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const size_t firstDigit = i;
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) &&
           value < 1'000'000'000) {
        value = value * 10 + (text[i++] - '0');
    }
    if (i == firstDigit || i != text.size()) {
        throw MarrowbyError(LineName(index) + ": '" + text + "' is not 0 or 1");
    }
    return !negative && value == 1 ? 1 : 0;
}
}  // namespace

PreferenceChoices ReadChoices(const LineList& preferences) {
    std::vector<std::string> problems;
    PreferenceChoices choices = ReadChoices(preferences, problems);
    if (!problems.empty()) throw MarrowbyError(problems.front());
    return choices;
}

PreferenceChoices ReadChoices(const LineList& preferences, std::vector<std::string>& problems) {
    const auto read = [&](auto readEntry, auto fallback) {
        try {
            return readEntry();
        } catch (const MarrowbyError& damaged) {
            problems.emplace_back(damaged.what());
            return fallback;
        }
    };
    PreferenceChoices choices;
    choices.saveMode = read([&] { return Choice(preferences, PreferenceEntry::SaveMode); }, 0);
    choices.fileNaming = read([&] { return Choice(preferences, PreferenceEntry::FileNaming); }, 0);
    choices.frameBar = read([&] { return Entry(preferences, PreferenceEntry::FrameBar); },
                            DefaultPreferences()[PreferenceEntry::FrameBar]);
    return choices;
}

void StoreChoices(const PreferenceChoices& choices, LineList& preferences) {
    if (preferences.size() <= PreferenceEntry::FrameBar) {
        preferences.resize(PreferenceEntry::FrameBar + 1);
    }
    preferences[PreferenceEntry::SaveMode] = std::to_string(choices.saveMode);
    preferences[PreferenceEntry::FileNaming] = std::to_string(choices.fileNaming);
    preferences[PreferenceEntry::FrameBar] = choices.frameBar;
}

}  // namespace marrowby

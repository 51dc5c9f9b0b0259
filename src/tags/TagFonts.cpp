#include "tags/TagFonts.h"

#include <charconv>
#include <utility>

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

std::string lineName(int line) {
    return std::string(TagFontsFileName) + " line " + std::to_string(line + 1);
}

const std::string& lineAt(const LineList& lines, int line) {
    if (static_cast<size_t>(line) >= lines.size())
        throw MarrowbyError(lineName(line) + " is missing");
    return lines[line];
}

int sizeAt(const LineList& lines, int line) {
    const std::string& text = lineAt(lines, line);
    const std::optional<int> size = FontSizeOf(text);
    if (!size)
        throw MarrowbyError(
            lineName(line) + ": '" + text + "' is not a whole number of points from " +
            std::to_string(kSmallestFontSize) + " to " + std::to_string(kLargestFontSize));
    return *size;
}

}  // namespace

std::optional<int> FontSizeOf(std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < kSmallestFontSize ||
        value > kLargestFontSize)
        return std::nullopt;
    return value;
}

TagFonts TagFontsFromLines(const LineList& lines) {
    TagFonts fonts;
    fonts.family = lineAt(lines, kFontNameLine);
    fonts.trayUpper = sizeAt(lines, kTrayUpperSizeLine);
    fonts.trayCorner = sizeAt(lines, kTrayCornerSizeLine);
    fonts.trayBottom = sizeAt(lines, kTrayBottomSizeLine);
    fonts.sackText = sizeAt(lines, kSackTextSizeLine);
    fonts.sackCorner = sizeAt(lines, kSackCornerSizeLine);
    return fonts;
}

TagFontSettings::TagFontSettings(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {
    reload();
}

void TagFontSettings::reload() {
    fonts_.reset();
    problem_.clear();
    try {
        fonts_ = TagFontsFromLines(ReadLineList(programFolder_ / TagFontsFileName));
    } catch (const MarrowbyError& error) {
        problem_ = error.what();
    }
}

}  // namespace marrowby

// The settings files prefs.dat and fonts.dat: lists of lines, read and written whole,
// in the program folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

using LineList = std::vector<std::string>;

// Lines end at CR LF, CR or LF; a last line without an end counts. Bytes are kept as
// they are. Throws MarrowbyError("Cannot open file <path>") when it cannot be read.
LineList ReadLineList(const std::filesystem::path& file);
// Writes every line followed by CR LF, replacing the file atomically.
// Throws MarrowbyError with the reason when it cannot be written.
void WriteLineList(const std::filesystem::path& file, const LineList& lines);

// The executable's folder when it is writable and not an installed copy's (a build
// tree, a portable copy), otherwise $XDG_CONFIG_HOME/marrowby (default
// ~/.config/marrowby), created when missing.
std::filesystem::path ProgramFolder(const std::filesystem::path& executableFolder);

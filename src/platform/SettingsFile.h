// The settings files prefs.dat and fonts.dat: lists of lines, read and written whole,
// in the program folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace marrowby {

using LineList = std::vector<std::string>;

// Lines end at CR LF, CR or LF; a last line without an end counts. Bytes are kept as
// they are. Throws MarrowbyError("Cannot open file <path>") when it cannot be read, and
// the reason of CheckTrusted when others could have changed it.
LineList ReadLineList(const std::filesystem::path& file);
// The file's lines completed with the default lines it lacks, in memory only; a missing
// file reads as the defaults. complete, when given, says whether the file already held
// them all. Throws as ReadLineList does when the file exists but cannot be read.
LineList ReadCompletedLineList(const std::filesystem::path& file, const LineList& defaults,
                               bool* complete = nullptr);
// Writes every line followed by CR LF, replacing the file atomically.
// Throws MarrowbyError with the reason when it cannot be written.
void WriteLineList(const std::filesystem::path& file, const LineList& lines);

// The executable's folder when it is writable and not an installed copy's (a build tree, a
// portable copy), otherwise ConfigFolder() of this process, created for the user alone when
// missing. Throws MarrowbyError when there is no home folder or the folder cannot be
// trusted (CheckTrusted).
std::filesystem::path ProgramFolder(const std::filesystem::path& executableFolder);

// What the settings folder outside the executable's folder is chosen from.
struct SettingsEnvironment {
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME
    std::string home;           // $HOME
    std::string passwordHome;   // the home folder in the password database
    uid_t user = 0;

    static SettingsEnvironment current();
};

// $XDG_CONFIG_HOME/marrowby, or ~/.config/marrowby when that is unset or relative (a
// relative one is not a valid base folder). The home folder is $HOME when it is an
// absolute path, else the password database's; with neither it throws MarrowbyError:
// a shared fallback such as /tmp could hold settings planted by anybody.
std::filesystem::path ConfigFolder(const SettingsEnvironment& environment);

// Settings change what is written into mailing lists, so a settings folder or file is
// used only when it belongs to the user (or to root) and nobody else can write it: not
// writable by all, nor by a group other than the user's own. Throws MarrowbyError naming
// the path otherwise. A missing path passes.
void CheckTrusted(const std::filesystem::path& path, uid_t user, gid_t group);
void CheckTrusted(const std::filesystem::path& path);

}  // namespace marrowby

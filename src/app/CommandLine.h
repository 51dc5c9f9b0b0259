// The command line: a mailing-list file to process at once (with NOSTOP and an Access
// table), or one of the options that answer without opening a window.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Run, Help, Version, Barcode, IntelligentMail, Invalid };
    Action action = Action::Run;

    // Run: the file to process at once (empty for an ordinary start), unattended
    // mode and the Access table to use in unattended mode.
    std::string file;
    bool noStop = false;
    std::string table;

    // Barcode: the address (two digits are a delivery point), ZIP+4 and highrise.
    std::string address;
    std::string zip;
    bool highrise = false;

    // IntelligentMail: the 20-digit tracking code and the routing code (may be empty),
    // checked only when encoded.
    std::string tracking;
    std::string routing;

    // Invalid: what is wrong.
    std::string error;
};

// The arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();
std::string VersionText();

// Writes the barcode text and its bar pattern, one per line, with the frame bar of
// the folder's prefs.dat; returns the exit status (1 when prefs.dat cannot be read).
int PrintBarcode(const CommandLine& line, const std::filesystem::path& programFolder,
                 std::ostream& out, std::ostream& err);

// Writes the 65 Intelligent Mail letters as one line and returns 0; a refused input
// writes only the reason to err and returns 2. Reads and writes no settings file.
int PrintIntelligentMail(const CommandLine& line, std::ostream& out, std::ostream& err);

// What "Add Barcodes to a File" is started with and what it needs of the main window and
// the application, shared by the command and the batch run.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class BarcodeEngine;
class FieldIdentifier;
class Prompter;
class RunProgress;

// The program's arguments after its own name: a list to process at once, "NOSTOP" for an
// unattended run, and the table of a database with several tables.
struct StartArguments {
    std::vector<std::string> arguments;

    bool any() const { return !arguments.empty(); }
    bool unattended() const;
};

// What the command takes from the preferences when it starts.
struct RunSettings {
    bool addMode = true;                 // false: a separate file of barcodes only
    bool askForBarcodeFileName = false;  // that file's name chosen in a save dialog
    std::string frameBar;                // around every barcode text
};

// Entry 1 of the preference list is the save mode ("1" barcodes only), entry 2 the naming
// of the barcodes-only file ("1" asked for), entry 3 the frame-bar string.
RunSettings RunSettingsOf(const std::vector<std::string>& preferences);

// What the command needs of the main window and the application.
struct MailingListContext {
    Prompter& prompter;
    FieldIdentifier& identifier;
    RunProgress& progress;
    const BarcodeEngine& engine;
    RunSettings settings;
    // Called with false while a run is under way, so no second command starts meanwhile.
    std::function<void(bool)> setCommandsEnabled;
    // Where an unattended run reports a choice of fields that cannot be used.
    std::ostream& errors;
    // The table selector: given a database and its tables, the one to read, or an empty
    // name when the user cancelled.
    std::function<std::string(const std::string& databasePath,
                              const std::vector<std::string>& tables)>
        chooseTable = {};
    // The folder of mailer.dat, which may choose Intelligent Mail barcodes; none: POSTNET.
    std::filesystem::path settingsFolder = {};
};

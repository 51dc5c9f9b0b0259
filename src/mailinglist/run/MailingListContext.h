// What "Add Barcodes to a File" is started with and what it needs of the main window and
// the application, shared by the command and the batch run.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class AccessTable;
class BarcodeEngine;
class FieldIdentifier;
class Prompter;
class RecentListFolder;
class RunProgress;

// The program's arguments after its own name: a list to process at once, "NOSTOP" for an
// unattended run, and the table of a database with several tables.
struct StartArguments {
    std::vector<std::string> arguments;

    bool any() const { return !arguments.empty(); }
    bool unattended() const;
};

// What the command needs of the main window and the application.
struct MailingListContext {
    Prompter& prompter;
    FieldIdentifier& identifier;
    RunProgress& progress;
    const BarcodeEngine& engine;
    // Entry 1 the save mode ("1" barcodes only), entry 2 the naming of that file.
    std::vector<std::string>& preferences;
    // Called with false while a run is under way, so no second command starts meanwhile.
    std::function<void(bool)> setCommandsEnabled;
    // Where an unattended run reports a choice of fields that cannot be used.
    std::ostream& errors;
    // The main window's table of an Access database (Access lists cannot be opened
    // without one), and the table selector that picks one of its tables (an empty name
    // when cancelled).
    AccessTable* taTable1 = nullptr;
    std::function<std::string(const std::string& databasePath)> chooseTable = {};
    // Where the open dialog starts and the folder of each list opened is kept; without
    // it the dialog starts in the home folder.
    RecentListFolder* recentLists = nullptr;

    bool addMode() const;
    bool askForBarcodeFileName() const;
    // Entry 3, the frame-bar string around every barcode text.
    std::string frameBar() const;
};

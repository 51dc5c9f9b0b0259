// Start-up of the program and the owner of everything program-wide: the settings
// lists, the barcode engine, the printer, the help viewer and the forms.
#pragma once

#include <QPrinter>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Attendance.h"
#include "app/CommandLine.h"
#include "app/HelpViewer.h"
#include "app/TMainWindow.h"
#include "app/TPrefDlog.h"
#include "app/TWelcomeDlog.h"
#include "engine/BarcodeEngine.h"
#include "platform/QtPrinter.h"
#include "platform/SettingsFile.h"
#include "tags/QtTagSheetPrinter.h"

class Prompter;
class RunPicture;
class TTableDlog;
class TLabelFontsDlg;
class TMailerDlog;
class TVerifyDlog;
class TmailclassDlog;
class TsingleDlog;
class TtagsDlog;

class Application {
  public:
    // The program folder holds prefs.dat and fonts.dat. Creates the forms; nothing is
    // shown until start(). Attendance says who is there to answer, decided at start-up.
    Application(std::filesystem::path programFolder, CommandLine commandLine, Prompter& prompter,
                Attendance attendance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Shows the main window and the welcome screen, which loads the settings and,
    // three seconds later, starts a command-line run. Without a display nothing is shown
    // and the run starts at once.
    void start();

    // Program-wide values, alive as long as the application. The lists are replaced
    // in place at every welcome activation, so references to them stay valid.
    LineList& preferences() { return preferences_; }
    LineList& tagFonts() { return tagFonts_; }
    const std::vector<std::string>& designators() const { return designators_; }
    const BarcodeEngine& engine() const { return engine_; }
    // The printer chosen in Printer Setup; US Letter until the user changes it.
    QPrinter& printer() { return printer_; }
    Prompter& prompter() { return prompter_; }
    HelpRequests& help() { return *help_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }
    const CommandLine& commandLine() const { return commandLine_; }

    TMainWindow& mainWindow() { return *mainWindow_; }
    TWelcomeDlog& welcome() { return *welcome_; }
    TPrefDlog& prefDlog() { return *prefDlog_; }
    TMailerDlog& mailerDlog() { return *mailerDlog_; }

    // Loads prefs.dat, fonts.dat and the designator table, each replacing the earlier
    // list; an error is shown and stops the loading. Returns whether all loaded.
    bool loadSettings();
    // The preferences dialog over the preference list; true when closed with OK.
    bool Preferences();
    // Runs "Add Barcodes to a File" for the command-line file and ends the program
    // with the status of the run.
    void runCommandLineFile();
    // Closes the help viewer and ends the event loop with the status.
    void exit(int status);

  private:
    void connectCommands();
    void OneAddressataTime();
    void EnterTagInfo();
    void SetTagFonts();
    void MailerSettings();
    int AddBarcodestoaFile();
    void PrinterSetup();
    void About();
    // Errors of an unattended run go to the standard error stream, not a box.
    void report(const std::string& text);

    std::filesystem::path programFolder_;
    CommandLine commandLine_;
    Prompter& prompter_;
    Attendance attendance_;

    LineList preferences_;
    LineList tagFonts_;
    std::vector<std::string> designators_;
    BarcodeEngine engine_;
    QPrinter printer_;
    QtPrinter jobs_;

    std::unique_ptr<HelpViewer> help_;
    std::unique_ptr<TMainWindow> mainWindow_;
    // The forms below are owned by the main window.
    TWelcomeDlog* welcome_;
    TVerifyDlog* verifyDlog_;
    TsingleDlog* singleDlog_;
    TmailclassDlog* mailclassDlog_;
    QtTagSheetPrinter tagPrinter_;
    TtagsDlog* tagsDlog_;
    TTableDlog* tableDlog_;
    TLabelFontsDlg* labelFontsDlg_;
    TPrefDlog* prefDlog_;
    TMailerDlog* mailerDlog_;
    RunPicture* runPicture_;
};

// Runs the whole program; returns the process exit status.
int RunMarrowby(int argc, char** argv);

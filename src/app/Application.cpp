#include "app/Application.h"

#include <QApplication>
#include <QPrintDialog>
#include <QTimer>
#include <cstdlib>
#include <iostream>

#include "app/BarcodeFontInstaller.h"
#include "app/Settings.h"
#include "app/TMailerDlog.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/forms/RunPicture.h"
#include "mailinglist/forms/TTableDlog.h"
#include "mailinglist/forms/TVerifyDlog.h"
#include "mailinglist/run/AddBarcodesToFile.h"
#include "platform/Prompter.h"
#include "platform/QtPrompter.h"
#include "platform/StreamPrompter.h"
#include "single/TsingleDlog.h"
#include "tags/TLabelFontsDlg.h"
#include "tags/TmailclassDlog.h"
#include "tags/TtagsDlog.h"

namespace fs = std::filesystem;

Application::Application(fs::path programFolder, CommandLine commandLine, Prompter& prompter,
                         Attendance attendance)
    : programFolder_(std::move(programFolder)),
      commandLine_(std::move(commandLine)),
      prompter_(prompter),
      attendance_(attendance),
      engine_(preferences_, designators_),
      printer_(QPrinter::HighResolution),
      jobs_(printer_),
      help_(std::make_unique<HelpViewer>()),
      mainWindow_(std::make_unique<TMainWindow>(prompter_, *help_)),
      welcome_(new TWelcomeDlog(mainWindow_.get())),
      verifyDlog_(new TVerifyDlog(mainWindow_.get())),
      singleDlog_(new TsingleDlog(engine_, jobs_, prompter_, mainWindow_.get())),
      mailclassDlog_(new TmailclassDlog(mainWindow_.get())),
      tagPrinter_(jobs_, prompter_, programFolder_),
      tagsDlog_(new TtagsDlog(tagPrinter_, mainWindow_.get())),
      tableDlog_(new TTableDlog(mainWindow_.get())),
      labelFontsDlg_(new TLabelFontsDlg(mainWindow_.get())),
      prefDlog_(new TPrefDlog(*help_, mainWindow_.get())),
      mailerDlog_(new TMailerDlog(*help_, mainWindow_.get())),
      // Nobody sees the picture without a display, so nothing waits for it.
      runPicture_(new RunPicture(attendance_ != Attendance::Headless)) {
    printer_.setPageSize(QPageSize(QPageSize::Letter));
    mainWindow_->setProgressPicture(runPicture_);
    singleDlog_->setMailerFolder(programFolder_);
    verifyDlog_->showHelp = [this](int context) { help_->showContext(context); };
    AddHelpKey(*singleDlog_, *help_, HelpContext::OneBarcode);
    AddHelpKey(*mailclassDlog_, *help_, HelpContext::Tags);
    AddHelpKey(*tagsDlog_, *help_, HelpContext::Tags);
    labelFontsDlg_->helpRequested = [this](int context) { help_->showContext(context); };
    connectCommands();
}

Application::~Application() = default;

void Application::connectCommands() {
    welcome_->onLoadSettings = [this] { return loadSettings(); };
    welcome_->onTimerDone = [this] {
        if (!commandLine_.file.empty()) runCommandLineFile();
    };
    mainWindow_->onPreferences = [this] { return Preferences(); };
    mainWindow_->onPrinterSetup = [this] { PrinterSetup(); };
    mainWindow_->onAbout = [this] { About(); };
    mainWindow_->onExit = [this] { exit(0); };
    mainWindow_->onAddBarcodes = [this] { return AddBarcodestoaFile(); };
    mainWindow_->onOneBarcode = [this] { OneAddressataTime(); };
    mainWindow_->onCreateTags = [this] { EnterTagInfo(); };
    mainWindow_->onSetTagFonts = [this] { SetTagFonts(); };
    mainWindow_->onMailerSettings = [this] { MailerSettings(); };
    mainWindow_->onInstallBarcodeFonts = [this] {
        BarcodeFontInstaller(prompter_, BarcodeFontInstaller::DefaultSourceFolders()).Install();
    };
}

int Application::AddBarcodestoaFile() {
    StartArguments arguments;
    if (!commandLine_.file.empty()) {
        arguments.arguments.push_back(commandLine_.file);
        if (commandLine_.noStop) arguments.arguments.push_back("NOSTOP");
        if (!commandLine_.table.empty()) arguments.arguments.push_back(commandLine_.table);
    }
    MailingListContext context{prompter_,
                               *verifyDlog_,
                               *runPicture_,
                               engine_,
                               RunSettingsOf(preferences_),
                               [this](bool enabled) { mainWindow_->setCommandsEnabled(enabled); },
                               std::cerr,
                               [this](const std::string&, const std::vector<std::string>& tables) {
                                   // Nobody could pick a table in a run without a display.
                                   if (attendance_ == Attendance::Headless) {
                                       report(
                                           "The database has more than one table: name "
                                           "the one to use after NOSTOP.");
                                       return std::string();
                                   }
                                   return tableDlog_->chooseTable(tables);
                               },
                               programFolder_};
    return AddBarcodesToFile(arguments, context);
}

void Application::OneAddressataTime() { singleDlog_->exec(); }

void Application::EnterTagInfo() {
    if (mailclassDlog_->exec() != QDialog::Accepted) return;
    tagsDlog_->setMailType(mailclassDlog_->choice());
    tagsDlog_->exec();
}

void Application::SetTagFonts() {
    ::SetTagFonts(*labelFontsDlg_, tagFonts_, programFolder_, prompter_);
}

void Application::MailerSettings() { EditMailerSettings(*mailerDlog_, programFolder_); }

void Application::start() {
    if (attendance_ == Attendance::Headless) {
        QTimer::singleShot(0, [this] {
            if (loadSettings()) runCommandLineFile();
        });
        return;
    }
    mainWindow_->show();
    welcome_->Tag = 0;
    welcome_->show();
}

bool Application::loadSettings() {
    try {
        preferences_ = LoadPreferences(programFolder_);
        tagFonts_ = LoadTagFonts(programFolder_);
        designators_ = DesignatorTable();
        return true;
    } catch (const std::exception& error) {
        report(error.what());
    }
    // A command-line run cannot go on without its settings.
    if (!commandLine_.file.empty()) exit(1);
    return false;
}

bool Application::Preferences() {
    return ::Preferences(*prefDlog_, preferences_, programFolder_ / PreferencesFileName);
}

void Application::runCommandLineFile() {
    // The barcodes go into the file itself; the dialog is not asked and nothing is saved.
    if (preferences_.size() > PreferenceEntry::SaveMode) {
        preferences_[PreferenceEntry::SaveMode] = "0";
    }
    int status = 0;
    try {
        if (mainWindow_->onAddBarcodes) status = mainWindow_->onAddBarcodes();
    } catch (const std::exception& error) {
        report(error.what());
        status = 1;
    }
    exit(status);
}

void Application::exit(int status) {
    help_->quit();
    QCoreApplication::exit(status);
}

void Application::PrinterSetup() {
    QPrintDialog dialog(&printer_, mainWindow_.get());
    dialog.setWindowTitle("Printer Setup");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

void Application::About() {
    welcome_->Tag = 1;
    welcome_->show();
    welcome_->raise();
}

void Application::report(const std::string& text) {
    if (attendance_ != Attendance::Attended) {
        std::cerr << "marrowby: " << text << '\n';
    } else {
        prompter_.message(MessageIcon::Error, MessageBeep::None, text, MessageButton::Ok);
    }
}

namespace {
fs::path ExecutableFolder(const char* argv0) {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) return executable.parent_path();
    return fs::absolute(argv0, error).parent_path();
}

void DropQtMessage(QtMsgType, const QMessageLogContext&, const QString&) {}
}  // namespace

int RunMarrowby(int argc, char** argv) {
    CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    const fs::path executableFolder = ExecutableFolder(argv[0]);
    switch (line.action) {
        case CommandLine::Action::Help:
            std::cout << UsageText();
            return 0;
        case CommandLine::Action::Version:
            std::cout << VersionText();
            return 0;
        case CommandLine::Action::Invalid:
            std::cerr << "marrowby: " << line.error << "\n\n" << UsageText();
            return 2;
        case CommandLine::Action::Barcode:
            try {
                return PrintBarcode(line, ProgramFolder(executableFolder), std::cout, std::cerr);
            } catch (const MarrowbyError& error) {
                std::cerr << "marrowby: " << error.what() << '\n';
                return 1;
            }
        case CommandLine::Action::IntelligentMail:
            return PrintIntelligentMail(line, std::cout, std::cerr);
        case CommandLine::Action::Run:
            break;
    }

    // A display that cannot be opened makes Qt fall back to offscreen instead of aborting;
    // what Qt says about it meanwhile is replaced by our own message.
    const DisplayEnvironment environment = DisplayEnvironment::current();
    setenv("QT_QPA_PLATFORM", PlatformsToTry(environment).c_str(), 1);
    const QtMessageHandler qtMessages = qInstallMessageHandler(DropQtMessage);
    QApplication application(argc, argv);
    const bool display = ShowsWindows(QGuiApplication::platformName());
    if (!display && !line.noStop) {
        std::cerr << "marrowby: no usable display (" << NoDisplayReason(environment)
                  << "); only a run with FILE NOSTOP works without one\n";
        return 1;
    }
    // Without a display standard error carries our own messages only, for the scripts
    // that read it.
    if (display) qInstallMessageHandler(qtMessages);
    const Attendance attendance = !line.noStop ? Attendance::Attended
                                  : display    ? Attendance::Unattended
                                               : Attendance::Headless;
    QApplication::setApplicationName("Marrowby");
    // Lets the desktop match our windows to the menu entry and show its icon.
    QGuiApplication::setDesktopFileName(MARROWBY_APP_ID);
    // Ending is explicit (Exit, the close box, the end of a command-line run), never
    // a side effect of the last window being hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompter boxes;
    StreamPrompter errors(std::cerr);
    Prompter& prompter =
        attendance == Attendance::Headless ? static_cast<Prompter&>(errors) : boxes;
    // The list named on the command line is found where the user started us, before
    // the program folder becomes the current folder.
    std::error_code error;
    if (!line.file.empty()) line.file = fs::absolute(line.file, error).string();
    fs::path programFolder;
    try {
        programFolder = ProgramFolder(executableFolder);
    } catch (const MarrowbyError& refused) {
        prompter.message(MessageIcon::Error, MessageBeep::None, refused.what(), MessageButton::Ok);
        return 1;
    }
    fs::current_path(programFolder, error);
    if (error) {
        std::cerr << "marrowby: cannot use the program folder " << programFolder << ": "
                  << error.message() << '\n';
        return 1;
    }

    Application marrowby(programFolder, std::move(line), prompter, attendance);
    marrowby.start();
    return QApplication::exec();
}

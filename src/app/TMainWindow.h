// The main window: the teal client area under the menu that starts every job. Each
// command runs inside an error boundary, so a failing command leaves the window usable.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <functional>

class HelpRequests;
class Prompter;

class TMainWindow : public QMainWindow {
    Q_OBJECT
  public:
    TMainWindow(Prompter& prompter, HelpRequests& help);

    // The jobs of the menu; an unset hook does nothing. onAddBarcodes returns the exit
    // status of a command-line run (0 success, 1 failed); the menu ignores it.
    std::function<bool()> onPreferences;  // false ends "Add Barcodes to a File"
    std::function<int()> onAddBarcodes;
    std::function<void()> onOneBarcode;
    std::function<void()> onMailerSettings;
    std::function<void()> onCreateTags;
    std::function<void()> onSetTagFonts;
    std::function<void()> onPrinterSetup;
    std::function<void()> onInstallBarcodeFonts;
    std::function<void()> onAbout;
    // Ends the program: Exit and the close box.
    std::function<void()> onExit;

    // Enables or disables every menu command (a file run disables them while it works).
    void setCommandsEnabled(bool enabled);
    // Places the run-progress picture over the whole client area, above the teal
    // background; the window owns it from then on.
    void setProgressPicture(QWidget* picture);

    // Runs a command and shows an error it throws in the standard error box. Returns
    // false when the command failed that way.
    bool runCommand(const std::function<void()>& command);

    void PrinterSetup1Click();
    void ExitClick();
    void AddBarcodestoaFile1Click();
    void OneAddressataTime1Click();
    void MailerSettings1Click();
    void EnterTagInfo1Click();
    void SetTagFonts1Click();
    void Contents1Click();
    void TopicSearch1Click();
    void InstallBarcodeFonts1Click();
    void About1Click();

    QMenu* File1;
    QAction* PrinterSetup1;
    QAction* Exit;
    QMenu* BarcodesforEnvelopes1;
    QAction* AddBarcodestoaFile1;
    QAction* OneAddressataTime1;
    QAction* MailerSettings1;
    QMenu* BarcodedTraySackTags1;
    QAction* EnterTagInfo1;
    QAction* SetTagFonts1;
    QMenu* Help1;
    QAction* Contents1;
    QAction* TopicSearch1;
    QAction* InstallBarcodeFonts1;
    QAction* About1;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QAction* addCommand(QMenu* menu, const QString& caption, void (TMainWindow::*handler)());

    Prompter& prompter_;
    HelpRequests& help_;
    QWidget* client_;
    QWidget* progressPicture_ = nullptr;
    QList<QAction*> commands_;
};

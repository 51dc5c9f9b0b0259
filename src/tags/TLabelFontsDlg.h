// "Set Tag Fonts": the Label Fonts dialog over fonts.dat, the tag font and its five sizes.
#pragma once

#include <QDialog>

#include <filesystem>
#include <functional>

#include "platform/HelpRequests.h"
#include "platform/Prompter.h"
#include "platform/SettingsFile.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace marrowby {

class TLabelFontsDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TLabelFontsDlg(QWidget* parent = nullptr);

    // Called with the help context when the user presses F1.
    std::function<void(int context)> helpRequested;

    QComboBox* FontSelect;
    QGroupBox* TrayLabel;
    QLineEdit* trayleftfont;
    QLineEdit* trayrightfont;
    QLineEdit* traybtmfont;
    QGroupBox* SackLabel;
    QLineEdit* sackleftfont;
    QLineEdit* sackrightfont;
    QPlainTextEdit* HelpText;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The "Set Tag Fonts" command: fills the dialog from the tag-font list, shows it until
// the sizes pass or the user cancels, and on OK writes fonts.dat in the program folder
// whole and keeps the list in step. Returns true when fonts.dat was written.
bool SetTagFonts(TLabelFontsDlg& dialog, LineList& tagFonts,
                 const std::filesystem::path& programFolder, Prompter& prompter);

}  // namespace marrowby

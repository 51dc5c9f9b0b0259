// The preferences dialog: where a file run saves its barcodes, how a barcodes-only
// file is named and which character the barcode font draws as a frame bar.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "app/RadioGroup.h"
#include "app/Settings.h"

namespace marrowby {

class HelpRequests;
class Prompter;

class TPrefDlog : public QDialog {
    Q_OBJECT
  public:
    TPrefDlog(HelpRequests& help, QWidget* parent);

    void setChoices(const PreferenceChoices& choices);
    // The choices as the dialog shows them; an unchanged frame bar keeps its bytes.
    PreferenceChoices choices() const;

    // Enables FileName exactly when the first save choice is not selected.
    void FormActivate();

    QLabel* Label7;
    QLabel* Image1;
    RadioGroup* selectFile;
    RadioGroup* FileName;
    QLineEdit* leftBar;
    QLabel* Label2;
    QLabel* Label1;
    QPlainTextEdit* Memo1;
    QPushButton* nextBtn;
    QPushButton* CancelBtn;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::string frameBarBytes_;
};

// Shows the dialog filled from the preference list; on OK stores the choices in the
// list and writes the whole list to the file. Returns whether OK was pressed. A damaged
// or missing line is named in a warning first and shown as the first choice, so the
// dialog is where the user mends it.
bool Preferences(TPrefDlog& dialog, LineList& preferences, const std::filesystem::path& file,
                 Prompter& prompter);

}  // namespace marrowby

// The mailer settings dialog: the mailer's Intelligent Mail identity, the next serial
// number, which barcode mailing lists and envelopes get, and which labels the tag sheet
// prints with the values of the 24-digit tray labels.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "app/RadioGroup.h"
#include "platform/MailerSettings.h"

namespace marrowby {

class HelpRequests;

class TMailerDlog : public QDialog {
    Q_OBJECT
  public:
    TMailerDlog(HelpRequests& help, QWidget* parent);

    void setSettings(const MailerSettings& settings);
    // The settings as the dialog shows them, over the lines they were read from.
    MailerSettings settings() const;

    RadioGroup* barcodeChoice;  // 0 POSTNET, 1 Intelligent Mail
    QLineEdit* mailerId;
    QLineEdit* serviceType;
    QLineEdit* barcodeId;
    QLineEdit* nextSerial;
    // Why Intelligent Mail cannot be chosen, or what keeps OK from closing the dialog.
    QLabel* reason;
    RadioGroup* trayLabelChoice;  // 0 the 10- and 8-digit labels, 1 the 24-digit labels
    QLineEdit* nextTraySerial;
    QLineEdit* processingCode;
    QLineEdit* labelType;
    // Why the 24-digit tray labels cannot be chosen.
    QLabel* trayReason;
    QPushButton* okBtn;
    QPushButton* cancelBtn;

  private:
    // Intelligent Mail can be chosen only with a usable identity, the 24-digit tray labels
    // only with a valid mailer ID, both one-digit codes and a fitting tray serial; the
    // reasons say why not.
    void updateChoice();
    void okClick();

    MailerSettings settings_;
};

// Shows the dialog filled from mailer.dat in the folder and writes the file on OK.
// Returns whether OK was pressed.
bool EditMailerSettings(TMailerDlog& dialog, const std::filesystem::path& folder);

}  // namespace marrowby

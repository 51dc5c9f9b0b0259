// "One Barcode at a Time": the dialog that codes one typed address, shows its bars and
// prints them in the bottom right corner of an envelope.
#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/MailerSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace marrowby {

class BarcodeEngine;
class Printer;
class Prompter;

class TsingleDlog : public QDialog {
    Q_OBJECT

  public:
    // The engine, the printer and the prompter belong to the application and outlive the
    // dialog. Errors are shown through the prompter.
    TsingleDlog(const BarcodeEngine& engine, Printer& printer, Prompter& prompter,
                QWidget* parent = nullptr);
    ~TsingleDlog() override;

    // The folder of mailer.dat, read at every activation: with Intelligent Mail chosen
    // there the dialog shows and prints Intelligent Mail barcodes. None: POSTNET.
    void setMailerFolder(std::filesystem::path folder) { mailerFolder_ = std::move(folder); }

    // The bars of the barcode shown: "L" and "S" for POSTNET, always with both frame bars;
    // "A", "D", "F" and "T" for Intelligent Mail; empty while there is none.
    const std::string& barPattern() const { return barPattern_; }

    QLabel* StreetLabel;
    QLineEdit* Street;
    QLabel* ZipLabel;
    QLineEdit* Zip;
    QLabel* DashLabel;
    QLineEdit* Zip4;
    QLabel* highriselabel;
    QCheckBox* highrise;
    QLabel* SequenceLabel;
    QLabel* Barcode;
    QLabel* barcodelabel;
    // Where the bars would be: why there are none, while the ZIP is not usable.
    QLabel* NoCodeReason;
    QPushButton* Print;
    QPushButton* Preview;
    QPushButton* Close;
    QPushButton* Clear;
    QPlainTextEdit* Memo1;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void FormActivate();
    void StreetChange();
    void ZipChange();
    void Zip4Change();
    void highriseClick();
    void ClearClick();
    void PrintClick();
    void PreviewClick();

    void CreateCode();
    void printCode();
    void showError(const std::string& text);
    void loadMailerSettings();
    void printIntelligentMail();
    void showNextSerial();

    const BarcodeEngine& engine_;
    Printer& printer_;
    std::string barPattern_;
    std::filesystem::path mailerFolder_;
    MailerSettings mailer_;
    std::string routing_;  // of the Intelligent Mail barcode shown
    Prompter& prompter_;
    // The error last shown while typing, so that every further key does not repeat it.
    std::string typingError_;
};

}  // namespace marrowby

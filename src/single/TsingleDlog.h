// "One Barcode at a Time": the dialog that codes one typed address, shows its bars and
// prints them in the bottom right corner of an envelope.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

class BarcodeEngine;
class Printer;
class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

class TsingleDlog : public QDialog {
    Q_OBJECT

  public:
    // The engine, the printer and the prompter belong to the application and outlive the
    // dialog. The preview shows the page on previewPrinter, the printer behind `printer`.
    // Errors are shown through the prompter.
    TsingleDlog(const BarcodeEngine& engine, Printer& printer, QPrinter& previewPrinter,
                Prompter& prompter, QWidget* parent = nullptr);
    ~TsingleDlog() override;

    // The bars of the barcode shown, "L" and "S"; empty while there is none.
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
    void PreviewPaint(QPrinter* printer);

    void CreateCode();
    void printCode();
    void showError(const std::string& text);

    const BarcodeEngine& engine_;
    Printer& printer_;
    std::string barPattern_;
    QPrinter& previewPrinter_;
    Prompter& prompter_;
    // The error last shown while typing, so that every further key does not repeat it.
    std::string typingError_;
};

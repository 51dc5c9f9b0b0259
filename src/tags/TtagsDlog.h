// The "Tag Information" dialog: up to ten tags, each a destination, a contents choice
// offered by the mail type and an optional code, printed or previewed as one sheet.
#pragma once

#include <QDialog>

#include <array>

#include "tags/MailTypes.h"
#include "tags/TagDerivation.h"
#include "tags/TagSheetPrinter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TtagsDlog : public QDialog {
    Q_OBJECT
  public:
    explicit TtagsDlog(TagSheetPrinter& printer, QWidget* parent = nullptr);

    // The mail type chosen before the dialog opens; its contents lists follow it from the
    // next opening on.
    void setMailType(const MailTypeChoice& choice);

    // The rows as typed, for the sheet.
    std::array<TagEntry, 10> entries() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    static constexpr int kRows = 10;

    void FormActivate();
    void contentsChange(int row);
    void dest1Change();
    void second(int row);
    void printon();
    void ClearClick();
    void CloseClick();
    void PrintClick();
    void PreviewClick();
    TagSheet sheet() const;
    void setCodeFieldEnabled(int row, bool enabled);

    MailTypeChoice mailType_;
    TagSheetPrinter& printer_;
    std::array<QLineEdit*, kRows> dest_{};
    std::array<QComboBox*, kRows> contents_{};
    std::array<QLineEdit*, kRows> second_{};
    QLabel* label3_;
    QLabel* Label15_;
    QLabel* Label16_;
    QPushButton* Print_;
    QPushButton* Preview_;
};

// The table selector: lists the tables of a database and lets the user pick the one to
// read, by double-click or by Enter (OK) on the highlighted name.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

class TTableDlog : public QDialog {
    Q_OBJECT

  public:
    explicit TTableDlog(QWidget* parent = nullptr);

    // Shows the selector modally over the database's tables: the table picked, or empty
    // when the user cancelled.
    std::string chooseTable(const std::vector<std::string>& tables);

    QLabel* Label1;
    QLabel* Label2;
    QTableWidget* TablesGrid;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void FormActivate();
    void TablesGridDblClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::vector<std::string> tables_;
    std::string chosen_;
};

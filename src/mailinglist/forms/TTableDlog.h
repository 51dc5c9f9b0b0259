// The table selector: lists the tables of the database named by the main window's table
// object and lets the user double-click the one to read.
#pragma once

#include <QDialog>
#include <string>

#include "mailinglist/access/AccessTable.h"

class QLabel;
class QPushButton;
class QTableWidget;

class TTableDlog : public QDialog {
    Q_OBJECT

  public:
    explicit TTableDlog(AccessTable& taTable1, QWidget* parent = nullptr);

    // Shows the selector modally for taTable1's database: the table double-clicked, which
    // also becomes taTable1's table name, or empty when the user cancelled.
    std::string chooseTable();

    QLabel* Label1;
    QLabel* Label2;
    QTableWidget* TablesGrid;
    QPushButton* CancelBtn;

    void FormActivate();
    void TablesGridDblClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    AccessTable& taTable1_;
};

// The table selector form: two texts, a one-column grid of table names and Cancel.
#include "mailinglist/forms/TTableDlog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "engine/MarrowbyError.h"

TTableDlog::TTableDlog(AccessTable& taTable1, QWidget* parent)
    : QDialog(parent), taTable1_(taTable1) {
    setObjectName("TableDlog");
    setWindowTitle("Table Selector");
    Label1 = new QLabel("The database you selected has more than one table.", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("Double-click on the table you would like to read:", this);
    Label2->setObjectName("Label2");

    TablesGrid = new QTableWidget(0, 1, this);
    TablesGrid->setObjectName("TablesGrid");
    TablesGrid->horizontalHeader()->hide();
    TablesGrid->verticalHeader()->hide();
    TablesGrid->verticalHeader()->setMinimumSectionSize(15);
    TablesGrid->verticalHeader()->setDefaultSectionSize(15);
    TablesGrid->horizontalHeader()->setDefaultSectionSize(200);
    TablesGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TablesGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TablesGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TablesGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    TablesGrid->setShowGrid(true);
    TablesGrid->setFixedWidth(200 + TablesGrid->verticalScrollBar()->sizeHint().width() +
                              2 * TablesGrid->frameWidth());
    connect(TablesGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int, int) { TablesGridDblClick(); });

    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(TablesGrid, 0, Qt::AlignHCenter);
    layout->addWidget(CancelBtn, 0, Qt::AlignRight);
    setModal(true);
}

std::string TTableDlog::chooseTable() {
    if (exec() != QDialog::Accepted) return {};
    return taTable1_.TableName();
}

void TTableDlog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TTableDlog::FormActivate() {
    std::vector<std::string> names;
    try {
        AccessTable::GetTableNames(taTable1_.DatabaseName(), names);
    } catch (const MarrowbyError&) {
        // The database was listed moments before; an empty grid lets the user cancel.
        names.clear();
    }
    TablesGrid->clearContents();
    TablesGrid->setRowCount(static_cast<int>(names.size()));
    for (size_t r = 0; r < names.size(); ++r) {
        TablesGrid->setItem(static_cast<int>(r), 0,
                            new QTableWidgetItem(QString::fromStdString(names[r])));
    }
}

void TTableDlog::TablesGridDblClick() {
    const QList<QTableWidgetSelectionRange> ranges = TablesGrid->selectedRanges();
    if (ranges.isEmpty()) return;
    const QTableWidgetItem* item = TablesGrid->item(ranges.front().topRow(), 0);
    if (item == nullptr || item->text().isEmpty()) return;
    taTable1_.setTableName(item->text().toStdString());
    accept();
}

// The table selector form: two texts, a one-column grid of table names, OK and Cancel.
#include "mailinglist/forms/TTableDlog.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

TTableDlog::TTableDlog(QWidget* parent) : QDialog(parent) {
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

    // Enter picks the highlighted table through the default button, as a double-click
    // does; Escape cancels.
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TTableDlog::TablesGridDblClick);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setAutoDefault(false);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(TablesGrid, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    setModal(true);
}

std::string TTableDlog::chooseTable(const std::vector<std::string>& tables) {
    tables_ = tables;
    chosen_.clear();
    if (exec() != QDialog::Accepted) return {};
    return chosen_;
}

void TTableDlog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TTableDlog::FormActivate() {
    TablesGrid->clearContents();
    TablesGrid->setRowCount(static_cast<int>(tables_.size()));
    for (size_t r = 0; r < tables_.size(); ++r) {
        TablesGrid->setItem(static_cast<int>(r), 0,
                            new QTableWidgetItem(QString::fromStdString(tables_[r])));
    }
    // The first name highlighted, so that the keyboard alone can pick a table.
    if (!tables_.empty()) TablesGrid->setCurrentCell(0, 0);
    TablesGrid->setFocus();
}

void TTableDlog::TablesGridDblClick() {
    const QList<QTableWidgetSelectionRange> ranges = TablesGrid->selectedRanges();
    if (ranges.isEmpty()) return;
    const QTableWidgetItem* item = TablesGrid->item(ranges.front().topRow(), 0);
    if (item == nullptr || item->text().isEmpty()) return;
    chosen_ = item->text().toStdString();
    accept();
}

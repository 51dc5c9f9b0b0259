// The table selector driven as a user would: its texts, the grid of table names, a
// double-click that takes a table, and Cancel.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "AccessTestFiles.h"
#include "mailinglist/TTableDlog.h"

namespace {

void DoubleClickRow(QTableWidget* grid, int row) {
    QTableWidgetItem* item = grid->item(row, 0);
    grid->scrollToItem(item);
    const QPoint centre = grid->visualItemRect(item).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
}

TEST(AccessTableDialog, ShowsTheTablesAndTakesTheOneDoubleClicked) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    AccessTable taTable1;
    taTable1.setDatabaseName(path.string());
    TTableDlog TableDlog(taTable1);
    TableDlog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&TableDlog));

    EXPECT_EQ(TableDlog.windowTitle(), "Table Selector");
    EXPECT_EQ(TableDlog.Label1->text(), "The database you selected has more than one table.");
    EXPECT_EQ(TableDlog.Label2->text(), "Double-click on the table you would like to read:");
    EXPECT_EQ(TableDlog.CancelBtn->text(), "Cancel");
    QTableWidget* grid = TableDlog.TablesGrid;
    EXPECT_EQ(grid->columnCount(), 1);
    EXPECT_FALSE(grid->horizontalHeader()->isVisible());
    EXPECT_FALSE(grid->verticalHeader()->isVisible());
    EXPECT_EQ(grid->columnWidth(0), 200);
    EXPECT_EQ(grid->rowHeight(0), 15);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const QStringList expected{"Order Details", "Orders",    "Products",  "Shippers", "Categories",
                               "Customers",     "Employees", "Suppliers", "Umsätze"};
    ASSERT_EQ(grid->rowCount(), expected.size());
    for (int r = 0; r < grid->rowCount(); ++r) EXPECT_EQ(grid->item(r, 0)->text(), expected[r]);

    // A double-click below the last name selects nothing and leaves the selector open.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                       QPoint(20, grid->viewport()->height() - 2));
    EXPECT_TRUE(TableDlog.isVisible());
    EXPECT_EQ(taTable1.TableName(), "");

    DoubleClickRow(grid, 5);
    EXPECT_FALSE(TableDlog.isVisible());
    EXPECT_EQ(TableDlog.result(), QDialog::Accepted);
    EXPECT_EQ(taTable1.TableName(), "Customers");
}

TEST(AccessTableDialog, ChooseTableAnswersTheNameOrEmptyWhenCancelled) {
    TempFolder folder;
    ACCESS_DATABASE_OR_SKIP(path, folder, "nwind.mdb");
    AccessTable taTable1;
    taTable1.setDatabaseName(path.string());
    TTableDlog TableDlog(taTable1);

    QTimer::singleShot(0, [&] { QTest::mouseClick(TableDlog.CancelBtn, Qt::LeftButton); });
    EXPECT_EQ(TableDlog.chooseTable(), "");
    EXPECT_EQ(taTable1.TableName(), "");

    QTimer::singleShot(0, [&] { DoubleClickRow(TableDlog.TablesGrid, 8); });
    EXPECT_EQ(TableDlog.chooseTable(), "Umsätze");
    EXPECT_EQ(taTable1.TableName(), "Umsätze");
}

}  // namespace

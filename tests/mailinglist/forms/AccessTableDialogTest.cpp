// The table selector driven as a user would: its texts and table names, a double-click below
// the names that takes nothing, one on a name that takes it, and Cancel.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "access/AccessTestFiles.h"
#include "mailinglist/forms/TTableDlog.h"

namespace {

TEST(AccessTableDialog, ListsTheTablesAndTakesTheOneDoubleClicked) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    AccessTable taTable1;
    taTable1.setDatabaseName(path.string());
    TTableDlog TableDlog(taTable1);
    QTableWidget* grid = TableDlog.TablesGrid;

    QTimer::singleShot(0, [&] { QTest::mouseClick(TableDlog.CancelBtn, Qt::LeftButton); });
    EXPECT_EQ(TableDlog.chooseTable(), "");
    EXPECT_EQ(taTable1.TableName(), "");

    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&TableDlog));
        EXPECT_EQ(TableDlog.windowTitle(), "Table Selector");
        EXPECT_EQ(TableDlog.Label1->text(), "The database you selected has more than one table.");
        EXPECT_EQ(TableDlog.Label2->text(), "Double-click on the table you would like to read:");
        EXPECT_EQ(TableDlog.CancelBtn->text(), "Cancel");
        QStringList shown;
        for (int r = 0; r < grid->rowCount(); ++r) shown << grid->item(r, 0)->text();
        EXPECT_EQ(shown,
                  QStringList({"Order Details", "Orders", "Products", "Shippers", "Categories",
                               "Customers", "Employees", "Suppliers", "Umsätze"}));

        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                           QPoint(20, grid->viewport()->height() - 2));
        EXPECT_TRUE(TableDlog.isVisible());
        EXPECT_EQ(taTable1.TableName(), "");

        QTableWidgetItem* last = grid->item(grid->rowCount() - 1, 0);
        grid->scrollToItem(last);
        const QPoint centre = grid->visualItemRect(last).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    });
    EXPECT_EQ(TableDlog.chooseTable(), "Umsätze");
    EXPECT_EQ(taTable1.TableName(), "Umsätze");
    EXPECT_EQ(TableDlog.result(), QDialog::Accepted);
}

}  // namespace

// The table selector driven as a user would, by mouse and by keyboard: a double-click below
// the names takes nothing, one on a name takes it; Enter and OK take the highlighted name,
// arrows move the highlight, Escape and Cancel give no table.
#include "mailinglist/forms/TTableDlog.h"

#include <functional>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace marrowby {

namespace {

const std::vector<std::string> kTables{"Order Details", "Orders",     "Products",
                                       "Shippers",      "Categories", "Customers",
                                       "Employees",     "Suppliers",  "Umsätze"};

// Shows the selector and acts in it once it is on the screen.
std::string Choose(TTableDlog& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        act();
        // Whatever the action, the selector must not stay open.
        if (dialog.isVisible()) {
            ADD_FAILURE() << "still open";
            dialog.reject();
        }
    });
    return dialog.chooseTable(kTables);
}

TEST(TTableDlog, MouseAndKeyboardPickTheHighlightedTableOrCancel) {
    TTableDlog dialog;
    QTableWidget* grid = dialog.TablesGrid;
    const struct {
        const char* what;
        std::function<void()> act;
        std::string table;
    } cases[] = {
        {"Enter at once", [&] { QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); },
         "Order Details"},
        {"Down twice, Enter",
         [&] {
             QWidget* focus = dialog.focusWidget();
             QTest::keyClick(focus, Qt::Key_Down);
             QTest::keyClick(focus, Qt::Key_Down);
             QTest::keyClick(focus, Qt::Key_Enter);
         },
         "Products"},
        {"double-click below the names, then on the last",
         [&] {
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                                QPoint(20, grid->viewport()->height() - 2));
             EXPECT_TRUE(dialog.isVisible()) << "a double-click below the names";
             QTableWidgetItem* last = grid->item(grid->rowCount() - 1, 0);
             EXPECT_EQ(last->text(), "Umsätze");
             grid->scrollToItem(last);
             const QPoint centre = grid->visualItemRect(last).center();
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
         },
         "Umsätze"},
        {"Ctrl+End, OK",
         [&] {
             QTest::keyClick(dialog.focusWidget(), Qt::Key_End, Qt::ControlModifier);
             QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
         },
         "Umsätze"},
        {"Escape", [&] { QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape); }, ""},
        {"Cancel", [&] { QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Choose(dialog,
                         [&] {
                             EXPECT_EQ(grid->rowCount(), int(kTables.size()));
                             EXPECT_EQ(dialog.focusWidget(), grid);
                             EXPECT_TRUE(dialog.OKBtn->isDefault());
                             EXPECT_FALSE(dialog.CancelBtn->isDefault());
                             c.act();
                         }),
                  c.table);
    }
}

}  // namespace

}  // namespace marrowby

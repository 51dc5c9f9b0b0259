// The forms of a run driven headless through their widgets, and list bytes as they show them.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "ErrorOf.h"
#include "TempFolder.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/forms/DisplayText.h"
#include "mailinglist/forms/RunPicture.h"
#include "mailinglist/forms/TTableDlog.h"
#include "mailinglist/forms/TVerifyDlog.h"
#include "mailinglist/text/TextMailingList.h"

namespace marrowby {

namespace {

// A choice in a list as the user makes it: the selection changes and the list reports it.
void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

class TVerifyDlogTest : public ::testing::Test {
  protected:
    void open(const std::string& bytes, std::string_view kind, long records, int fields,
              const FieldRoles& roles, bool addMode = true) {
        const std::string path = folder.write("List.txt", bytes).string();
        list = std::make_unique<TextMailingList>(path, std::string(kind), records, fields);
        dialog.FormActivate(*list, roles, addMode);
    }
    std::vector<int> selections() const {
        std::vector<int> s;
        for (QComboBox* box : {dialog.address, dialog.zip5, dialog.zip4, dialog.zip9,
                               dialog.highrise, dialog.barcode, dialog.dp}) {
            s.push_back(box->currentIndex());
        }
        return s;
    }

    TempFolder folder;
    TVerifyDlog dialog;
    std::unique_ptr<TextMailingList> list;
};

const std::string kMerge =
    "Name,Address,City,Zip,Zip4,Extra\r\nSmith,1 Oak,Houston,77001,1234,a\r\n"
    "Jones,2 Elm,Austin,78701,5678,b\r\n";
const FieldRoles kMergeRoles{.address = 1, .zip5 = 3, .zip4 = 4};

}  // namespace

TEST_F(TVerifyDlogTest, MergeFileOpensOnTheFieldNamesAndBrowsesItsRecords) {
    open(kMerge, kAsciiMerge, 2, 6, kMergeRoles);
    EXPECT_EQ(dialog.windowTitle().toStdString(), (folder.path() / "List.txt").string());
    EXPECT_EQ(dialog.fileTypeLabel->text(), "Format: Ascii Merge");
    EXPECT_EQ(dialog.NewRecordsLabel->text(), "2 Records");
    const struct {
        QPushButton* click;
        const char* shown;
        const char* address;  // the first entry of each list
        const char* zip5;     // the fourth
        bool previous;
        bool next;
    } steps[] = {
        {nullptr, "Field List", "Name", "Zip", false, true},
        {dialog.nextbtn, "Record 1", "Smith", "77001", true, true},
        {dialog.nextbtn, "Record 2", "Jones", "78701", true, false},
        {dialog.prevbtn, "Record 1", "Smith", "77001", true, true},
        {dialog.prevbtn, "Field List", "Name", "Zip", false, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.shown);
        if (step.click) QTest::mouseClick(step.click, Qt::LeftButton);
        EXPECT_EQ(dialog.CurrentRecordLabel->text(), step.shown);
        EXPECT_EQ(dialog.address->itemText(0), step.address);
        EXPECT_EQ(dialog.zip5->itemText(3), step.zip5);
        EXPECT_EQ(dialog.prevbtn->isEnabled(), step.previous);
        EXPECT_EQ(dialog.nextbtn->isEnabled(), step.next);
        EXPECT_EQ(selections(), (std::vector<int>{1, 3, 4, -1, -1, -1, -1}));
    }
}

// A double-click on a role's name clears it.
TEST_F(TVerifyDlogTest, OneRolePerFieldAndZipEitherOr) {
    open(kMerge, kAsciiMerge, 2, 6, {1, 3, 4, 2, 0, 5, 1});
    QLabel* const labels[] = {dialog.Label5, dialog.Label11,       dialog.Label10,
                              dialog.Label9, dialog.clearHighrise, dialog.barcodeLabel,
                              dialog.Label15};
    for (QLabel* label : labels) QTest::mouseDClick(label, Qt::LeftButton);
    EXPECT_EQ(selections(), (std::vector<int>(7, -1)));
    EXPECT_EQ(dialog.FormClose(), FieldRoles{});

    open(kMerge, kAsciiMerge, 2, 6, kMergeRoles);
    Choose(dialog.zip9, 1);  // the address field
    EXPECT_EQ(selections(), (std::vector<int>{-1, -1, -1, 1, -1, -1, -1}));

    Choose(dialog.zip5, 3);
    Choose(dialog.zip4, 4);
    Choose(dialog.barcode, 5);
    Choose(dialog.highrise, 5);
    EXPECT_EQ(selections(), (std::vector<int>{-1, 3, 4, -1, 5, -1, -1}));
    Choose(dialog.barcode, 5);
    EXPECT_EQ(selections(), (std::vector<int>{-1, 3, 4, -1, -1, 5, -1}));

    Choose(dialog.zip9, 2);
    Choose(dialog.zip4, 4);  // keeps zip5 unless it held the same field
    Choose(dialog.zip5, 3);
    Choose(dialog.dp, 0);
    EXPECT_EQ(selections(), (std::vector<int>{-1, 3, 4, -1, -1, 5, 0}));
    EXPECT_EQ(dialog.FormClose(),
              (FieldRoles{.zip5 = 3, .zip4 = 4, .barcode = 5, .deliveryPoint = 0}));
}

// A file of one record opens on it, with no paging; a barcodes-only run hides the barcode
// list and keeps its position, even where another role takes the same field.
TEST_F(TVerifyDlogTest, OneRecordOpensOnItAndBarcodesOnlyHidesTheBarcodeList) {
    open("Smith\t1 Oak\t77001-1234\r\n", kAsciiTab, 1, 3, {.address = 1, .zip9 = 2});
    EXPECT_EQ(dialog.CurrentRecordLabel->text(), "Record 1");
    EXPECT_EQ(dialog.zip9->currentText(), "77001-1234");
    EXPECT_FALSE(dialog.prevbtn->isEnabled());
    EXPECT_FALSE(dialog.nextbtn->isEnabled());
    EXPECT_FALSE(dialog.barcode->isHidden());
    EXPECT_FALSE(dialog.barcodeBlank->isHidden());
    EXPECT_TRUE(dialog.barcodebevelshort->isHidden());

    open(kMerge, kAsciiMerge, 2, 6, {.address = 1, .zip5 = 3, .zip4 = 4, .barcode = 5}, false);
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             dialog.barcode, dialog.barcodeLabel, dialog.barcodeBlank, dialog.BarcodeBevelTall})
        EXPECT_TRUE(hidden->isHidden());
    Choose(dialog.highrise, 5);
    EXPECT_EQ(dialog.FormClose(),
              (FieldRoles{.address = 1, .zip5 = 3, .zip4 = 4, .highrise = 5, .barcode = 5}));
}

// Lists grow to show their longest value whole, the right-hand column making room; a value
// too long even for that drops down whole; every value is a tool tip.
TEST_F(TVerifyDlogTest, ListsAreWideEnoughForTheirValues) {
    const QString street = "4450 Cherry Hill Rd, Unit 1207, Rear";
    const QString note(200, 'x');
    const std::string record = "Smith\t" + street.toStdString() + "\t77001-1234\r\n" +
                               "Jones\t1 Elm\t" + note.toStdString() + "\r\n";
    open(record, kAsciiTab, 2, 3, {.address = 1, .zip9 = 2});
    const QSize design = dialog.size();
    const auto fits = [](QComboBox* box, const QString& text) {
        return box->width() > box->fontMetrics().horizontalAdvance(text) + 16;
    };
    for (QComboBox* box :
         {dialog.address, dialog.zip5, dialog.barcode, dialog.highrise, dialog.zip4}) {
        EXPECT_TRUE(fits(box, street)) << box->width();
        EXPECT_EQ(box->itemData(1, Qt::ToolTipRole).toString(), street);
    }
    EXPECT_EQ(dialog.address->toolTip(), street);
    EXPECT_LT(dialog.address->geometry().right(), dialog.Label12->geometry().left());
    EXPECT_LT(dialog.zip5->geometry().right(), dialog.Label10->geometry().left());
    EXPECT_LE(dialog.highrise->geometry().right(), dialog.CancelBtn->geometry().right());
    EXPECT_LT(dialog.CancelBtn->geometry().right(), dialog.width());

    // Paging on to longer values: the lists grow up to a limit and the drop-down shows all.
    QTest::mouseClick(dialog.nextbtn, Qt::LeftButton);
    EXPECT_FALSE(fits(dialog.zip9, note));
    EXPECT_GE(dialog.zip9->view()->minimumWidth(),
              dialog.zip9->view()->fontMetrics().horizontalAdvance(note));
    EXPECT_EQ(dialog.zip9->toolTip(), note);
    EXPECT_GT(dialog.width(), design.width());
    QTest::mouseClick(dialog.prevbtn, Qt::LeftButton);
    EXPECT_TRUE(fits(dialog.address, street)) << "never narrower within one showing";

    Choose(dialog.dp, 2);
    EXPECT_EQ(dialog.dp->toolTip(), dialog.dp->currentText());
    EXPECT_EQ(dialog.zip9->toolTip(), "");  // cleared: the field holds one role

    // A list of short values keeps the designed form.
    open("a\tb\tc\r\n", kAsciiTab, 1, 3, {});
    EXPECT_EQ(dialog.width(), 560);
}

TEST_F(TVerifyDlogTest, FinishCancelHelpAndAReadErrorOfTheViewer) {
    const std::string path = folder.write("l.txt", kMerge).string();
    TextMailingList merge(path, std::string(kAsciiMerge), 2, 6);
    FieldRoles roles = kMergeRoles;
    int help = 0;
    dialog.showHelp = [&](int context) { help = context; };
    QTimer::singleShot(0, [&] {
        QTest::keyClick(&dialog, Qt::Key_F1);
        Choose(dialog.dp, 5);
        QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.identifyFields(roles, merge, true));
    EXPECT_EQ(help, 20);
    EXPECT_EQ(roles.deliveryPoint, 5);

    QTimer::singleShot(0, [&] {
        Choose(dialog.dp, 0);
        QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.identifyFields(roles, merge, true));
    EXPECT_EQ(roles.deliveryPoint, 0);  // written back; the caller ignores it after Cancel

    // The list is gone when the viewer reads it: the showing ends with the error.
    QTimer::singleShot(0, [&] {
        std::filesystem::remove(path);
        QTest::mouseClick(dialog.nextbtn, Qt::LeftButton);
    });
    EXPECT_EQ(ErrorOf([&] { dialog.identifyFields(roles, merge, true); }).substr(0, 25),
              "Cannot open file l.txt: N");
}

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

// A double-click below the names takes nothing.
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

QColor Pixel(QLabel* image, QPoint at) { return image->pixmap().toImage().pixelColor(at); }

const QColor kWhite(255, 255, 255);

}  // namespace

// The next run's page is drawn on nothing left from the last one.
TEST(RunPicture, EnvelopesAndPageThenClearedAndHidden) {
    RunPicture picture(true);
    picture.Timer1->setInterval(1);
    // The window's teal shows through around the envelopes.
    const QColor face = Qt::transparent;
    const QPoint stamp(120, 62);  // stamp of the top waiting envelope
    const QPoint back(160, 25);   // the waiting envelope at the back of the pile
    const QPoint done(83, 112);   // inside the first done envelope
    const QPoint corner(2, 197);  // background
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        picture.ShowRunStart("/home/ann/Lists/CLIENTS.TXT");
        picture.ShowEnvelopeStep(5);
        EXPECT_FALSE(picture.Image2->isHidden());
        EXPECT_EQ(Pixel(picture.Image2, stamp), QColor(255, 255, 0));
        EXPECT_EQ(Pixel(picture.Image2, back), kWhite);
        EXPECT_EQ(Pixel(picture.Image2, done), face);
        EXPECT_EQ(Pixel(picture.Image2, corner), face);
        picture.ShowEnvelopeStep(0);
        EXPECT_EQ(Pixel(picture.Image2, back), face);
        EXPECT_EQ(Pixel(picture.Image2, done), kWhite);
        EXPECT_EQ(Pixel(picture.Image2, corner), face);

        EXPECT_EQ(picture.BottomLabel->text(), "CLIENTS.TXT");
        EXPECT_FALSE(picture.TopLabel->isHidden());
        EXPECT_FALSE(picture.Image1->isHidden());
        EXPECT_EQ(Pixel(picture.Image1, {40, 50}), QColor(255, 255, 128));  // the page
        EXPECT_EQ(Pixel(picture.Image1, {65, 18}), kWhite);                 // its folded corner
        EXPECT_EQ(Pixel(picture.Image1, {20, 50}), Qt::black);              // its edge
        EXPECT_EQ(Pixel(picture.Image1, {5, 5}).alpha(), 0);                // around it
        picture.ClearPagePicture();
        picture.HideRunLabels();
        EXPECT_EQ(Pixel(picture.Image1, {40, 50}).alpha(), 0);
        for (QWidget* part : std::initializer_list<QWidget*>{picture.TopLabel, picture.BottomLabel,
                                                             picture.Image1, picture.Image2})
            EXPECT_TRUE(part->isHidden());
    }
}

// With a display each step waits one timer interval; without one nobody sees the
// picture, so a step draws and goes on at once.
TEST(RunPicture, EachStepWaitsForTheTimerOnlyWhenSomebodyCanSeeIt) {
    for (const bool pauses : {true, false}) {
        SCOPED_TRACE(pauses);
        RunPicture picture(pauses);
        bool served = false;
        // Bound to the picture, so that a timer not served in this pass is dropped with it.
        QTimer::singleShot(10, &picture, [&] { served = true; });
        QElapsedTimer clock;
        clock.start();
        picture.ShowEnvelopeStep(3);
        if (pauses) {
            EXPECT_GE(clock.elapsed(), 450);
            EXPECT_TRUE(served);
        } else {
            EXPECT_LT(clock.elapsed(), 100);
        }
        EXPECT_FALSE(picture.Image2->isHidden());
    }
}

TEST(DisplayText, Utf8ElseWindows1252) {
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"Mu\xC3\xB1oz", QString::fromUtf8("Mu\xC3\xB1oz")},
        {"Mu\xF1oz", QString::fromUtf8("Mu\xC3\xB1oz")},
        {"\x93quoted\x94 \x80", QString::fromUtf8("\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC")},
        {"\xD2Smith\xD3", QString::fromUtf8("\xC3\x92Smith\xC3\x93")},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayText(c.bytes), c.shown) << c.bytes;
}

}  // namespace marrowby

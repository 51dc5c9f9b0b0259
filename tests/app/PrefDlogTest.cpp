// The preferences dialog driven through its real widgets: texts, the enabling of
// FileName, OK writing the whole list, Cancel writing nothing, and a bad line.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "FakeHelp.h"
#include "TempFolder.h"
#include "app/TPrefDlog.h"
#include "engine/MarrowbyError.h"

namespace {
// Runs the actions on the dialog once it is shown modally.
void WhenShown(TPrefDlog& dialog, std::function<void()> actions) {
    QTimer::singleShot(0, &dialog, [&dialog, actions] {
        if (QApplication::activeModalWidget() == &dialog) {
            actions();
        } else {
            ADD_FAILURE() << "the dialog is not shown modally";
        }
    });
}

void ClickItem(RadioGroup* group, int index) {
    QRadioButton* item = group->item(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
}

void TypeFrameBar(TPrefDlog& dialog, const QString& text) {
    dialog.leftBar->selectAll();
    QTest::keyClick(dialog.leftBar, Qt::Key_Delete);
    QTest::keyClicks(dialog.leftBar, text);
}
}  // namespace

TEST(PrefDlog, ShowsItsCaptionsAndTexts) {
    FakeHelp help;
    TPrefDlog dialog(help, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    EXPECT_EQ(dialog.size(), QSize(491, 383));
    EXPECT_EQ(dialog.Label7->text(), "Marrowby Options");
    EXPECT_TRUE(dialog.Label7->font().bold());
    EXPECT_FALSE(dialog.Image1->pixmap().isNull());
    EXPECT_EQ(dialog.selectFile->title(), "Where should barcodes be saved?");
    EXPECT_EQ(dialog.selectFile->item(0)->text(), "Add them to my file.");
    EXPECT_EQ(dialog.selectFile->item(1)->text(), "Create an ascii file of barcodes only.");
    EXPECT_EQ(dialog.FileName->title(), "Name of barcodes-only file, if chosen:");
    EXPECT_EQ(dialog.FileName->item(0)->text(), "Name the file \"barcode.txt\".");
    EXPECT_EQ(dialog.FileName->item(1)->text(), "Ask for a file name.");
    EXPECT_EQ(dialog.leftBar->maxLength(), 1);
    EXPECT_EQ(dialog.leftBar->text(), "/");
    EXPECT_EQ(dialog.Label2->text(),
              "What character does your barcode font use as a \"frame bar\" at the beginning "
              "and end of each barcode?");
    EXPECT_EQ(dialog.Label1->text(),
              "(If you are using the barcode font that came with Marrowby, enter the / "
              "character.)");
    EXPECT_TRUE(dialog.Memo1->isReadOnly());
    EXPECT_TRUE(dialog.Memo1->toPlainText().contains("frame bar"));
    EXPECT_EQ(dialog.nextBtn->text(), "Next");
    EXPECT_TRUE(dialog.nextBtn->isDefault());
    EXPECT_EQ(dialog.CancelBtn->text(), "Cancel");
}

TEST(PrefDlog, FileNameIsEnabledOnlyForABarcodesOnlyFile) {
    FakeHelp help;
    TPrefDlog dialog(help, nullptr);
    dialog.setChoices({0, 1, "/"});
    dialog.show();
    EXPECT_FALSE(dialog.FileName->isEnabled());
    ClickItem(dialog.selectFile, 1);
    EXPECT_TRUE(dialog.FileName->isEnabled());
    ClickItem(dialog.selectFile, 0);
    EXPECT_FALSE(dialog.FileName->isEnabled());
    dialog.hide();

    dialog.setChoices({1, 0, "/"});
    dialog.show();
    EXPECT_TRUE(dialog.FileName->isEnabled());
}

TEST(PrefDlog, OkWritesTheWholeListKeepingOtherLines) {
    struct Case {
        std::string file;
        int select;
        int naming;
        const char* typed;  // nullptr: frame bar left as it is
        std::string written;
    } cases[] = {
        {"keep \xE9 me\r\n0\r\n0\r\n/\r\nfifth\tline\r\n\xFF\r\n", 1, 1, "|",
         "keep \xE9 me\r\n1\r\n1\r\n|\r\nfifth\tline\r\n\xFF\r\n"},
        {"k\n1\n1\n|\n", 0, 1, "/", "k\r\n0\r\n1\r\n/\r\n"},
        {"k\r\n0\r\n0\r\n/\r\n", 0, 0, "", "k\r\n0\r\n0\r\n\r\n"},
        // A frame bar that is not UTF-8 comes back as the same byte when left alone.
        {"k\r\n0\r\n0\r\n\xA6\r\n", 1, 0, nullptr, "k\r\n1\r\n0\r\n\xA6\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto file = folder.write("prefs.dat", c.file);
        LineList preferences = ReadLineList(file);
        FakeHelp help;
        TPrefDlog dialog(help, nullptr);
        WhenShown(dialog, [&] {
            ClickItem(dialog.selectFile, c.select);
            if (c.select == 1) ClickItem(dialog.FileName, c.naming);
            if (c.typed != nullptr) TypeFrameBar(dialog, c.typed);
            QTest::mouseClick(dialog.nextBtn, Qt::LeftButton);
        });
        EXPECT_TRUE(Preferences(dialog, preferences, file));
        EXPECT_EQ(folder.read("prefs.dat"), c.written);
        EXPECT_EQ(preferences, ReadLineList(file));
    }
}

TEST(PrefDlog, EnterInTheFrameBarPressesNext) {
    TempFolder folder;
    const auto file = folder.write("prefs.dat", "k\r\n0\r\n0\r\n/\r\n");
    LineList preferences = ReadLineList(file);
    FakeHelp help;
    TPrefDlog dialog(help, nullptr);
    WhenShown(dialog, [&] {
        TypeFrameBar(dialog, "!");
        QTest::keyClick(dialog.leftBar, Qt::Key_Return);
    });
    EXPECT_TRUE(Preferences(dialog, preferences, file));
    EXPECT_EQ(folder.read("prefs.dat"), "k\r\n0\r\n0\r\n!\r\n");
}

TEST(PrefDlog, CancelLeavesFileAndListAlone) {
    const std::string original = "mine\n0\r\n0\r\n/\r\nmore\n";
    TempFolder folder;
    const auto file = folder.write("prefs.dat", original);
    LineList preferences = ReadLineList(file);
    const LineList before = preferences;
    FakeHelp help;
    TPrefDlog dialog(help, nullptr);
    WhenShown(dialog, [&] {
        ClickItem(dialog.selectFile, 1);
        ClickItem(dialog.FileName, 1);
        TypeFrameBar(dialog, "|");
        QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
    });
    EXPECT_FALSE(Preferences(dialog, preferences, file));
    EXPECT_EQ(folder.read("prefs.dat"), original);
    EXPECT_EQ(preferences, before);
}

TEST(PrefDlog, ANonNumberInTheFileStopsBeforeTheDialog) {
    for (const LineList& lines : {LineList{"k", "yes", "0", "/"}, LineList{"k", "0", "2b", "/"}}) {
        TempFolder folder;
        const auto file = folder.path() / "prefs.dat";
        LineList preferences = lines;
        FakeHelp help;
        TPrefDlog dialog(help, nullptr);
        bool shown = false;
        QTimer::singleShot(0, &dialog, [&] {
            shown = dialog.isVisible();
            dialog.reject();
        });
        try {
            Preferences(dialog, preferences, file);
            ADD_FAILURE() << "no error";
        } catch (const MarrowbyError& error) {
            const std::string bad = lines[1] == "0" ? lines[2] : lines[1];
            EXPECT_EQ(std::string(error.what()), "'" + bad + "' is not a valid integer value");
        }
        QApplication::processEvents();
        EXPECT_FALSE(shown);
        EXPECT_FALSE(std::filesystem::exists(file));
    }
}

TEST(PrefDlog, F1ShowsThePreferencesHelp) {
    FakeHelp help;
    TPrefDlog dialog(help, nullptr);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.leftBar, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{7});
}

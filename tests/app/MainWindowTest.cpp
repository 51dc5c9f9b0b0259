// The main window: its menu exactly as the user sees it, the hooks behind the
// commands, the error boundary, disabling during a run and the progress picture.
#include "app/TMainWindow.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include "FakeHelp.h"
#include "FakePrompter.h"
#include "engine/MarrowbyError.h"

namespace {
// Captions of the top menus and their items, "-" for a separator.
std::vector<std::vector<std::string>> MenuCaptions(TMainWindow& window) {
    std::vector<std::vector<std::string>> menus;
    for (QAction* top : window.menuBar()->actions()) {
        std::vector<std::string> captions{top->text().toStdString()};
        for (QAction* item : top->menu()->actions()) {
            captions.push_back(item->isSeparator() ? "-" : item->text().toStdString());
        }
        menus.push_back(captions);
    }
    return menus;
}
}  // namespace

TEST(MainWindow, MenuCaptionsAccessKeysAndShortcut) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    const std::vector<std::vector<std::string>> expected = {
        {"&File", "Printer Setup", "-", "E&xit"},
        {"Barcodes for Envelopes", "Add Barcodes to a File", "One Barcode at a Time"},
        {"Barcoded Tray/Sack Tags", "Create and Print Tags", "Set Tag Fonts"},
        {"&Help", "&Contents", "&Topic Search", "-", "&About"},
    };
    EXPECT_EQ(MenuCaptions(window), expected);
    EXPECT_EQ(window.Exit->shortcut(), QKeySequence("Ctrl+E"));
    EXPECT_EQ(window.windowTitle(), "Marrowby");
    EXPECT_EQ(window.size(), QSize(439, 300));
    EXPECT_EQ(window.centralWidget()->palette().color(QPalette::Window), QColor(0, 128, 128));
}

TEST(MainWindow, EveryCommandRunsItsHook) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    std::vector<std::string> ran;
    window.onPrinterSetup = [&] { ran.push_back("printer"); };
    window.onAddBarcodes = [&] {
        ran.push_back("add");
        return 0;
    };
    window.onOneBarcode = [&] { ran.push_back("one"); };
    window.onCreateTags = [&] { ran.push_back("tags"); };
    window.onSetTagFonts = [&] { ran.push_back("fonts"); };
    window.onAbout = [&] { ran.push_back("about"); };
    window.onExit = [&] { ran.push_back("exit"); };
    for (QAction* action :
         {window.PrinterSetup1, window.AddBarcodestoaFile1, window.OneAddressataTime1,
          window.EnterTagInfo1, window.SetTagFonts1, window.About1, window.Exit}) {
        action->trigger();
    }
    EXPECT_EQ(
        ran, (std::vector<std::string>{"printer", "add", "one", "tags", "fonts", "about", "exit"}));
    window.Contents1->trigger();
    window.TopicSearch1->trigger();
    EXPECT_EQ(help.contexts, std::vector<int>{1});
    EXPECT_EQ(help.indexRequests, 1);
}

TEST(MainWindow, UnsetHooksDoNothing) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    for (QAction* action : window.findChildren<QAction*>()) action->trigger();
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(MainWindow, AddBarcodesGoesOnOnlyAfterPreferencesOk) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    bool ok = false;
    int runs = 0;
    window.onPreferences = [&] { return ok; };
    window.onAddBarcodes = [&] { return ++runs; };
    window.AddBarcodestoaFile1->trigger();
    EXPECT_EQ(runs, 0);
    ok = true;
    window.AddBarcodestoaFile1->trigger();
    EXPECT_EQ(runs, 1);
}

TEST(MainWindow, ErrorsOfACommandAreShownAndTheWindowGoesOn) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    window.onOneBarcode = [] { throw MarrowbyError("Cannot open file list.txt"); };
    window.onPreferences = []() -> bool {
        throw MarrowbyError("'x' is not a valid integer value");
    };
    int runs = 0;
    window.onAddBarcodes = [&] { return ++runs; };
    window.onCreateTags = [&] { ++runs; };
    window.OneAddressataTime1->trigger();
    window.AddBarcodestoaFile1->trigger();
    window.EnterTagInfo1->trigger();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, "Cannot open file list.txt");
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompter.messages[0].button, MessageButton::Ok);
    EXPECT_EQ(prompter.messages[1].text, "'x' is not a valid integer value");
    EXPECT_EQ(runs, 1);
}

TEST(MainWindow, CommandsCanBeDisabledDuringARun) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    const QList<QAction*> commands = {
        window.PrinterSetup1,      window.Exit,          window.AddBarcodestoaFile1,
        window.OneAddressataTime1, window.EnterTagInfo1, window.SetTagFonts1,
        window.Contents1,          window.TopicSearch1,  window.About1};
    window.setCommandsEnabled(false);
    for (QAction* command : commands)
        EXPECT_FALSE(command->isEnabled()) << command->text().toStdString();
    window.setCommandsEnabled(true);
    for (QAction* command : commands)
        EXPECT_TRUE(command->isEnabled()) << command->text().toStdString();
}

TEST(MainWindow, ProgressPictureCoversTheClientArea) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    window.show();
    auto* picture = new QWidget;
    window.setProgressPicture(picture);
    EXPECT_EQ(picture->parentWidget(), window.centralWidget());
    EXPECT_EQ(picture->geometry(), QRect(0, 0, 439, window.centralWidget()->height()));
    EXPECT_TRUE(picture->isVisible());
    EXPECT_TRUE(picture->testAttribute(Qt::WA_TranslucentBackground));
}

TEST(MainWindow, CtrlEF1AndTheCloseBox) {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window(prompter, help);
    int exits = 0;
    window.onExit = [&] { ++exits; };
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(exits, 1);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{1});
    window.close();
    EXPECT_EQ(exits, 2);
}

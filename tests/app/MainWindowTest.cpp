// The main window: the hooks behind the commands, the error boundary, disabling during a
// run and the progress picture.
#include "app/TMainWindow.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include "FakeHelp.h"
#include "FakePrompter.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {
struct Window {
    FakePrompter prompter;
    FakeHelp help;
    TMainWindow window{prompter, help};
};
}  // namespace

TEST(MainWindow, EveryCommandAndShortcutRunsItsHookAndCanBeDisabledDuringARun) {
    Window w;
    TMainWindow& window = w.window;
    // Unset hooks do nothing.
    for (QAction* action : window.findChildren<QAction*>()) action->trigger();
    EXPECT_TRUE(w.prompter.messages.empty());
    w.help = FakeHelp();

    std::vector<std::string> ran;
    auto record = [&](const char* name) { return [&ran, name] { ran.push_back(name); }; };
    window.onPrinterSetup = record("printer");
    window.onAddBarcodes = [&] { return ran.push_back("add"), 0; };
    window.onOneBarcode = record("one");
    window.onMailerSettings = record("mailer");
    window.onCreateTags = record("tags");
    window.onSetTagFonts = record("fonts");
    window.onInstallBarcodeFonts = record("install fonts");
    window.onAbout = record("about");
    window.onExit = record("exit");
    const std::vector<QAction*> commands = {window.PrinterSetup1,
                                            window.AddBarcodestoaFile1,
                                            window.OneAddressataTime1,
                                            window.MailerSettings1,
                                            window.EnterTagInfo1,
                                            window.SetTagFonts1,
                                            window.InstallBarcodeFonts1,
                                            window.About1,
                                            window.Exit,
                                            window.Contents1,
                                            window.TopicSearch1};
    for (QAction* action : commands) action->trigger();
    EXPECT_EQ(ran, (std::vector<std::string>{"printer", "add", "one", "mailer", "tags", "fonts",
                                             "install fonts", "about", "exit"}));
    EXPECT_EQ(w.help.contexts, std::vector<int>{1});
    EXPECT_EQ(w.help.indexRequests, 1);

    for (bool enabled : {false, true}) {
        window.setCommandsEnabled(enabled);
        for (QAction* command : commands)
            EXPECT_EQ(command->isEnabled(), enabled) << command->text().toStdString();
    }

    // Ctrl+E exits and F1 shows the contents.
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ran.clear();
    w.help = FakeHelp();
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(ran, std::vector<std::string>{"exit"});
    EXPECT_EQ(w.help.contexts, std::vector<int>{1});
}

TEST(MainWindow, ErrorsOfACommandAreShownAndAddBarcodesGoesOnOnlyAfterPreferencesOk) {
    Window w;
    TMainWindow& window = w.window;
    window.onOneBarcode = [] { throw MarrowbyError("Cannot open file list.txt"); };
    int runs = 0;
    window.onAddBarcodes = [&] { return ++runs; };
    window.onCreateTags = [&] { ++runs; };
    for (int answer : {0, 1, 2}) {  // Cancel, OK, a bad preference line
        window.onPreferences = [answer]() -> bool {
            if (answer == 2) throw MarrowbyError("'x' is not a valid integer value");
            return answer == 1;
        };
        window.AddBarcodestoaFile1->trigger();
    }
    window.OneAddressataTime1->trigger();
    window.EnterTagInfo1->trigger();
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(w.prompter.messages.size(), 2u);
    EXPECT_EQ(w.prompter.messages[0].text, "'x' is not a valid integer value");
    EXPECT_EQ(w.prompter.messages[1].text, "Cannot open file list.txt");
    EXPECT_EQ(w.prompter.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(w.prompter.messages[1].button, MessageButton::Ok);
}

TEST(MainWindow, ProgressPictureCoversTheClientArea) {
    Window w;
    w.window.show();
    auto* picture = new QWidget;
    w.window.setProgressPicture(picture);
    EXPECT_EQ(picture->parentWidget(), w.window.centralWidget());
    EXPECT_EQ(picture->geometry(), w.window.centralWidget()->rect());
    EXPECT_TRUE(picture->isVisible());
}

}  // namespace marrowby

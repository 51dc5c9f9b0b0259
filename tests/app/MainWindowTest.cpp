// The main window: the hooks behind the commands, the error boundary, disabling during a
// run and the progress picture.
#include "app/TMainWindow.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "FormDriving.h"
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
    Window f;
    TMainWindow& w = f.window;
    // Unset hooks do nothing.
    for (QAction* action : w.findChildren<QAction*>()) action->trigger();
    EXPECT_TRUE(f.prompter.messages.empty());
    f.help = FakeHelp();

    std::vector<std::string> ran;
    auto record = [&](const char* name) { return [&ran, name] { ran.push_back(name); }; };
    w.onPrinterSetup = record("printer");
    w.onAddBarcodes = [&] { return ran.push_back("add"), 0; };
    w.onOneBarcode = record("one");
    w.onMailerSettings = record("mailer");
    w.onCreateTags = record("tags");
    w.onSetTagFonts = record("fonts");
    w.onInstallBarcodeFonts = record("install fonts");
    w.onAbout = record("about");
    w.onExit = record("exit");
    const std::vector<QAction*> commands = {
        w.PrinterSetup1, w.AddBarcodestoaFile1, w.OneAddressataTime1,   w.MailerSettings1,
        w.EnterTagInfo1, w.SetTagFonts1,        w.InstallBarcodeFonts1, w.About1,
        w.Exit,          w.Contents1,           w.TopicSearch1};
    for (QAction* action : commands) action->trigger();
    EXPECT_EQ(ran, (std::vector<std::string>{"printer", "add", "one", "mailer", "tags", "fonts",
                                             "install fonts", "about", "exit"}));
    EXPECT_EQ(f.help.contexts, std::vector<int>{1});
    EXPECT_EQ(f.help.indexRequests, 1);

    for (bool enabled : {false, true}) {
        w.setCommandsEnabled(enabled);
        for (QAction* command : commands)
            EXPECT_EQ(command->isEnabled(), enabled) << command->text().toStdString();
    }

    // Ctrl+E exits and F1 shows the contents.
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ran.clear();
    f.help = FakeHelp();
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_F1);
    EXPECT_EQ(ran, std::vector<std::string>{"exit"});
    EXPECT_EQ(f.help.contexts, std::vector<int>{1});
}

TEST(MainWindow, ErrorsOfACommandAreShownAndAddBarcodesGoesOnOnlyAfterPreferencesOk) {
    Window f;
    TMainWindow& w = f.window;
    w.onOneBarcode = [] { throw MarrowbyError("Cannot open file list.txt"); };
    int runs = 0;
    w.onAddBarcodes = [&] { return ++runs; };
    w.onCreateTags = [&] { ++runs; };
    for (int answer : {0, 1, 2}) {  // Cancel, OK, a bad preference line
        w.onPreferences = [answer]() -> bool {
            if (answer == 2) throw MarrowbyError("'x' is not a valid integer value");
            return answer == 1;
        };
        w.AddBarcodestoaFile1->trigger();
    }
    w.OneAddressataTime1->trigger();
    w.EnterTagInfo1->trigger();
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(f.prompter.messages.size(), 2u);
    EXPECT_EQ(f.prompter.messages[0].text, "'x' is not a valid integer value");
    EXPECT_EQ(f.prompter.messages[1].text, "Cannot open file list.txt");
    EXPECT_EQ(f.prompter.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(f.prompter.messages[1].button, MessageButton::Ok);
}

TEST(MainWindow, ProgressPictureCoversTheClientArea) {
    Window f;
    f.window.show();
    auto* picture = new QWidget;
    f.window.setProgressPicture(picture);
    EXPECT_EQ(picture->parentWidget(), f.window.centralWidget());
    EXPECT_EQ(picture->geometry(), f.window.centralWidget()->rect());
    EXPECT_TRUE(picture->isVisible());
}

}  // namespace marrowby

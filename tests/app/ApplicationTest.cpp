// The application object: settings loaded at every welcome activation and shared by
// reference with the engine, preferences from the menu, and a command-line run.
#include "app/Application.h"

#include <QApplication>
#include <QPrintDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "TempFolder.h"
#include "engine/MarrowbyError.h"

namespace {
void Activate(Application& app, int tag) {
    app.welcome().Tag = tag;
    app.welcome().show();
    QApplication::processEvents();
}
}  // namespace

TEST(Application, WelcomeLoadsEverySettingAndReplacesTheLists) {
    TempFolder folder;
    FakePrompter prompter;
    Application app(folder.path(), {}, prompter);
    const BarcodeEngine& engine = app.engine();
    Activate(app, 0);
    EXPECT_EQ(folder.read("prefs.dat"), "Marrowby preferences\r\n0\r\n0\r\n/\r\n");
    EXPECT_EQ(app.tagFonts().size(), 7u);
    EXPECT_EQ(app.designators().size(), 41u);
    EXPECT_EQ(engine.ComputeBarcodes("", "123456789", "01"), "/123456789014/");

    app.preferences()[3] = "changed in memory";
    folder.write("prefs.dat", "x\r\n0\r\n0\r\n|\r\n");
    folder.write("fonts.dat", "y\r\nTimes\r\n9\r\n9\r\n9\r\n9\r\n9\r\n");
    app.welcome().hide();
    Activate(app, 1);
    EXPECT_EQ(engine.ComputeBarcodes("", "123456789", "01"), "|123456789014|");
    EXPECT_EQ(app.tagFonts()[1], "Times");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(Application, SettingsThatCannotBeReadAreReported) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "fonts.dat");
    FakePrompter prompter;
    Application app(folder.path(), {}, prompter);
    Activate(app, 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Cannot open file " + (folder.path() / "fonts.dat").string());
    EXPECT_FALSE(app.welcome().Timer.isActive());
}

TEST(Application, ABadPreferenceLineStopsAddBarcodesWithItsMessage) {
    TempFolder folder;
    folder.write("prefs.dat", "x\r\nthree\r\n0\r\n/\r\n");
    FakePrompter prompter;
    Application app(folder.path(), {}, prompter);
    int runs = 0;
    app.mainWindow().onAddBarcodes = [&] { return ++runs; };
    Activate(app, 0);
    app.mainWindow().AddBarcodestoaFile1->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "'three' is not a valid integer value");
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(app.prefDlog().isVisible());
}

TEST(Application, CommandLineRunAddsToTheFileWithoutSavingAndEndsWithItsStatus) {
    for (int status : {0, 1}) {
        TempFolder folder;
        const std::string prefs = "x\r\n1\r\n1\r\n/\r\n";
        folder.write("prefs.dat", prefs);
        CommandLine line;
        line.file = "/tmp/list.txt";
        FakePrompter prompter;
        Application app(folder.path(), line, prompter);
        std::string modeDuringRun;
        app.mainWindow().onAddBarcodes = [&] {
            modeDuringRun = app.preferences()[1];
            return status;
        };
        Activate(app, 0);
        QTimer::singleShot(0, [&] { app.welcome().TimerTimer(); });
        EXPECT_EQ(QApplication::exec(), status);
        EXPECT_EQ(modeDuringRun, "0");
        EXPECT_EQ(folder.read("prefs.dat"), prefs);
        EXPECT_FALSE(app.prefDlog().isVisible());
    }
}

TEST(Application, AnErrorInAnUnattendedRunEndsWithStatusOne) {
    TempFolder folder;
    CommandLine line;
    line.file = "/tmp/list.txt";
    line.noStop = true;
    FakePrompter prompter;
    Application app(folder.path(), line, prompter);
    app.mainWindow().onAddBarcodes = []() -> int {
        throw MarrowbyError("Cannot open file list.txt");
    };
    Activate(app, 0);
    QTimer::singleShot(0, [&] { app.welcome().TimerTimer(); });
    EXPECT_EQ(QApplication::exec(), 1);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(Application, PrinterSetupWorksOnTheSharedLetterPrinter) {
    TempFolder folder;
    FakePrompter prompter;
    Application app(folder.path(), {}, prompter);
    EXPECT_EQ(app.printer().pageLayout().pageSize().id(), QPageSize::Letter);
    QPrinter* asked = nullptr;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Printer Setup");
        asked = dialog->printer();
        dialog->reject();
    });
    app.mainWindow().PrinterSetup1->trigger();
    EXPECT_EQ(asked, &app.printer());
}

TEST(Application, ExitAndTheCloseBoxEndTheProgramAndCloseHelp) {
    for (bool closeBox : {false, true}) {
        TempFolder folder;
        FakePrompter prompter;
        Application app(folder.path(), {}, prompter);
        app.start();
        app.help().showContext(1);
        auto& viewer = static_cast<HelpViewer&>(app.help());
        EXPECT_TRUE(viewer.isVisible());
        QTimer::singleShot(0, [&] {
            if (closeBox) {
                app.mainWindow().close();
            } else {
                app.mainWindow().Exit->trigger();
            }
        });
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_FALSE(viewer.isVisible());
    }
}

// The application object: settings loaded at every welcome activation and shared by
// reference with the engine, preferences from the menu, and a command-line run.
#include "app/Application.h"

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "TempFolder.h"
#include "engine/MarrowbyError.h"
#include "tags/TmailclassDlog.h"
#include "tags/TtagsDlog.h"

namespace marrowby {

namespace {
// An application on a fresh program folder; activate() shows the welcome screen.
struct App {
    explicit App(CommandLine line = {}, Attendance attendance = Attendance::Attended)
        : app(folder.path(), line, prompter, attendance) {}
    void activate(int tag) {
        app.welcome().hide();
        app.welcome().Tag = tag;
        app.welcome().show();
        QApplication::processEvents();
    }
    TempFolder folder;
    FakePrompter prompter;
    Application app;
};
}  // namespace

TEST(Application, WelcomeLoadsEverySettingAndReplacesTheLists) {
    App a;
    const BarcodeEngine& engine = a.app.engine();
    a.activate(0);
    EXPECT_EQ(a.folder.read("prefs.dat"), "Marrowby preferences\r\n0\r\n0\r\n/\r\n");
    EXPECT_EQ(a.app.tagFonts().size(), 7u);
    EXPECT_EQ(a.app.designators().size(), 41u);
    EXPECT_EQ(engine.ComputeBarcodes("", "123456789", "01"), "/123456789014/");

    a.folder.write("prefs.dat", "x\r\n0\r\n0\r\n|\r\n");
    a.folder.write("fonts.dat", "y\r\nTimes\r\n9\r\n9\r\n9\r\n9\r\n9\r\n");
    a.activate(1);
    EXPECT_EQ(engine.ComputeBarcodes("", "123456789", "01"), "|123456789014|");
    EXPECT_EQ(a.app.tagFonts()[1], "Times");
    EXPECT_TRUE(a.prompter.messages.empty());

    std::filesystem::remove(a.folder.path() / "fonts.dat");
    std::filesystem::create_directory(a.folder.path() / "fonts.dat");
    a.app.welcome().Timer.stop();
    a.activate(0);
    ASSERT_EQ(a.prompter.messages.size(), 1u);
    EXPECT_EQ(a.prompter.messages[0].text,
              "Cannot open file " + (a.folder.path() / "fonts.dat").string());
    EXPECT_FALSE(a.app.welcome().Timer.isActive());
}

// A damaged line in a settings file is mended in the dialog that edits it: the file run
// names it and goes on to the preferences dialog, and Set Tag Fonts shows the line as it is.
TEST(Application, DamagedSettingsLinesAreMendedInTheirDialogs) {
    App a;
    a.folder.write("prefs.dat", "x\r\nthree\r\n0\r\n/\r\n");
    a.folder.write("fonts.dat", "y\r\nArial\r\n12\r\nbig\r\n10\r\n10\r\n10\r\n");
    int runs = 0;
    a.app.mainWindow().onAddBarcodes = [&] { return ++runs; };
    a.activate(0);
    bool prefsShown = false;
    QTimer::singleShot(0, [&] {
        prefsShown = QApplication::activeModalWidget() == &a.app.prefDlog();
        a.app.prefDlog().nextBtn->click();
    });
    a.app.mainWindow().AddBarcodestoaFile1->trigger();
    EXPECT_TRUE(prefsShown);
    ASSERT_EQ(a.prompter.messages.size(), 1u);
    EXPECT_EQ(a.prompter.messages[0].text.substr(0, 42),
              "prefs.dat line 2: 'three' is not 0 or 1.\n\n");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(a.folder.read("prefs.dat"), "x\r\n0\r\n0\r\n/\r\n");

    QString shownSize;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        shownSize = dialog->findChild<QLineEdit*>("trayrightfont")->text();
        dialog->findChild<QLineEdit*>("trayrightfont")->setText("11");
        dialog->findChild<QPushButton*>("OKBtn")->click();
    });
    a.app.mainWindow().SetTagFonts1->trigger();
    EXPECT_EQ(shownSize, "big");
    EXPECT_EQ(a.folder.read("fonts.dat"), "y\r\nArial\r\n12\r\n11\r\n10\r\n10\r\n10\r\n");
}

// Without a display nobody sees the welcome screen or the main window: the run starts
// at once and ends the program with its status.
TEST(Application, CommandLineRunAddsToTheFileWithoutSavingAndEndsWithItsStatus) {
    const std::string prefs = "x\r\n1\r\n1\r\n/\r\n";
    struct Case {
        int result;  // of the run; -1: it fails with an error
        Attendance attendance;
        int status;
    };
    for (const Case& c : {Case{0, Attendance::Attended, 0}, Case{1, Attendance::Attended, 1},
                          Case{-1, Attendance::Unattended, 1}, Case{1, Attendance::Headless, 1}}) {
        SCOPED_TRACE(testing::Message()
                     << "result " << c.result << ", attendance " << static_cast<int>(c.attendance));
        CommandLine line;
        line.file = "/tmp/list.txt";
        line.noStop = c.attendance != Attendance::Attended;
        App a(line, c.attendance);
        a.folder.write("prefs.dat", prefs);
        std::string modeDuringRun;
        a.app.mainWindow().onAddBarcodes = [&] {
            modeDuringRun = a.app.preferences()[1];
            if (c.result == -1) throw MarrowbyError("Cannot open file list.txt");
            return c.result;
        };
        QElapsedTimer clock;
        clock.start();
        if (c.attendance == Attendance::Headless) {
            a.app.start();
        } else {
            a.activate(0);
            QTimer::singleShot(0, [&] { a.app.welcome().TimerTimer(); });
        }
        EXPECT_EQ(QApplication::exec(), c.status);
        EXPECT_EQ(modeDuringRun, "0");
        EXPECT_EQ(a.folder.read("prefs.dat"), prefs);
        EXPECT_FALSE(a.app.prefDlog().isVisible());
        EXPECT_TRUE(a.prompter.messages.empty());
        if (c.attendance == Attendance::Headless) {
            EXPECT_LT(clock.elapsed(), 1000);
            EXPECT_FALSE(a.app.mainWindow().isVisible());
            EXPECT_FALSE(a.app.welcome().isVisible());
        }
    }
}

TEST(Application, ExitAndTheCloseBoxEndTheProgramAndCloseHelp) {
    for (bool closeBox : {false, true}) {
        App a;
        a.app.start();
        a.app.help().showContext(1);
        EXPECT_TRUE(static_cast<HelpViewer&>(a.app.help()).isVisible());
        QTimer::singleShot(0, [&] {
            if (closeBox) return (void)a.app.mainWindow().close();
            a.app.mainWindow().Exit->trigger();
        });
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_FALSE(static_cast<HelpViewer&>(a.app.help()).isVisible());
    }
}

// Printer Setup works on the shared Letter printer; "Create and Print Tags": the tag dialog
// opens on the mail type, periodical kind and origin chosen a moment before.
TEST(Application, PrinterSetupAndTagsWorkOnWhatTheyAreHanded) {
    App a;
    a.activate(0);
    EXPECT_EQ(a.app.printer().pageLayout().pageSize().id(), QPageSize::Letter);
    QPrinter* asked = nullptr;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        asked = dialog->printer();
        dialog->reject();
    });
    a.app.mainWindow().PrinterSetup1->trigger();
    EXPECT_EQ(asked, &a.app.printer());
    QString contents;
    // Timers bound to the main window end with this test.
    QObject* scope = &a.app.mainWindow();
    std::function<void()> inTags = [&] {
        auto* tags = qobject_cast<TtagsDlog*>(QApplication::activeModalWidget());
        if (tags == nullptr) return QTimer::singleShot(0, scope, inTags);
        contents = tags->findChild<QComboBox*>("contents1")->currentText();
        tags->findChild<QPushButton*>("Close")->click();
    };
    QTimer::singleShot(0, scope, [&] {
        auto* mailType = qobject_cast<TmailclassDlog*>(QApplication::activeModalWidget());
        ASSERT_NE(mailType, nullptr);
        mailType->findChild<QRadioButton*>("DSP")->click();
        QTimer::singleShot(0, scope, inTags);
        mailType->findChild<QPushButton*>("Next")->click();
    });
    a.app.mainWindow().EnterTagInfo1->trigger();
    EXPECT_EQ(contents, "Priority");
}

}  // namespace marrowby

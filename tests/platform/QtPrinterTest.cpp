// The real print dialog answered from a timer: preset to one copy of page 1, the copies
// chosen come back as a number of jobs to print, and every job starts fresh.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/QtPrinter.h"

namespace marrowby {

// Each job's dialog starts fresh: no file of an earlier job is proposed, and a file to
// print to is proposed in the home folder, not in the current (program) folder. The
// printer's paper stays as Printer Setup left it.
TEST(QtPrinter, EachDialogStartsAtOneCopyOfPageOneWithoutTheLastFileAndReturnsTheCopies) {
    TempFolder home;
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path().string()));
    std::filesystem::create_directory(home.path() / "program");
    CurrentFolder inProgramFolder(home.path() / "program");

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setOutputFileName(QString::fromStdString((home.path() / "tags.pdf").string()));
    printer.setCopyCount(4);
    QtPrinter qtPrinter(printer);
    for (int chosen : {3, 0, 1}) {  // 0 cancels the dialog
        SCOPED_TRACE(testing::Message() << chosen << " copies chosen");
        int from = -1, to = -1, preset = -1;
        QString proposed, printerFile = "unset";
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* spin = dialog->findChild<QSpinBox*>("copies");
            ASSERT_NE(spin, nullptr);
            from = printer.fromPage();
            to = printer.toPage();
            preset = spin->value();
            printerFile = printer.outputFileName();
            if (auto* file = dialog->findChild<QLineEdit*>("filename")) proposed = file->text();
            if (chosen == 0) return dialog->reject();
            spin->setValue(chosen);
            dialog->accept();
        });
        EXPECT_EQ(qtPrinter.askCopies(), chosen);
        EXPECT_EQ(std::vector<int>({from, to, preset}), std::vector<int>({1, 1, 1}));
        // Each job prints once; the copies are separate jobs.
        EXPECT_EQ(printer.copyCount(), 1);
        EXPECT_EQ(printerFile, "");
        EXPECT_TRUE(proposed.startsWith(QString::fromStdString(home.path().string())))
            << proposed.toStdString();
        EXPECT_FALSE(proposed.contains("program")) << proposed.toStdString();
        EXPECT_EQ(QDir::currentPath().toStdString(), (home.path() / "program").string());
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    }
    qputenv("HOME", previousHome);
}

}  // namespace marrowby

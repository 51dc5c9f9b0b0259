// The real print dialog answered from a timer: preset to one copy of page 1, and the
// copies chosen come back as a number of jobs to print.
#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/QtPrinter.h"

namespace marrowby {

TEST(QtPrinter, DialogStartsAtOneCopyOfPageOneAndReturnsTheCopiesChosen) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(QString::fromStdString((folder.path() / "page.pdf").string()));
    printer.setCopyCount(4);
    QtPrinter qtPrinter(printer);
    for (int chosen : {3, 0, 1}) {  // 0 cancels the dialog
        SCOPED_TRACE(testing::Message() << chosen << " copies chosen");
        int from = -1, to = -1, preset = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* spin = dialog->findChild<QSpinBox*>("copies");
            ASSERT_NE(spin, nullptr);
            from = printer.fromPage();
            to = printer.toPage();
            preset = spin->value();
            if (chosen == 0) return dialog->reject();
            spin->setValue(chosen);
            dialog->accept();
        });
        EXPECT_EQ(qtPrinter.askCopies(), chosen);
        EXPECT_EQ(from, 1);
        EXPECT_EQ(to, 1);
        EXPECT_EQ(preset, 1);
        // Each job prints once; the copies are separate jobs.
        EXPECT_EQ(printer.copyCount(), 1);
    }
}

}  // namespace marrowby

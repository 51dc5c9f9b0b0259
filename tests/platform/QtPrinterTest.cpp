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

namespace {

struct Preset {
    int from = -1;
    int to = -1;
    int copies = -1;
};

// Answers the next print dialog: records how it was preset, then sets the copies and
// accepts, or cancels when copies is 0.
void AnswerPrintDialog(QPrinter& printer, int copies, Preset& preset) {
    QTimer::singleShot(0, [&printer, copies, &preset] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* spin = dialog->findChild<QSpinBox*>("copies");
        preset = {printer.fromPage(), printer.toPage(), spin ? spin->value() : -1};
        if (copies == 0) return dialog->reject();
        if (spin) spin->setValue(copies);
        dialog->accept();
    });
}

}  // namespace

TEST(QtPrinter, DialogStartsAtOneCopyOfPageOneAndReturnsTheCopiesChosen) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(QString::fromStdString((folder.path() / "page.pdf").string()));
    printer.setCopyCount(4);
    QtPrinter qtPrinter(printer);

    struct Case {
        int chosen;
        int expected;
    };
    for (const Case& c : {Case{3, 3}, Case{0, 0}, Case{1, 1}}) {
        SCOPED_TRACE(testing::Message() << c.chosen << " copies chosen");
        Preset preset;
        AnswerPrintDialog(printer, c.chosen, preset);
        EXPECT_EQ(qtPrinter.askCopies(), c.expected);
        EXPECT_EQ(preset.from, 1);
        EXPECT_EQ(preset.to, 1);
        EXPECT_EQ(preset.copies, 1);
        // Each job prints once; the copies are separate jobs.
        EXPECT_EQ(printer.copyCount(), 1);
    }
}

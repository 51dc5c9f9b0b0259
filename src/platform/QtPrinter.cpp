#include "platform/QtPrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

QtPrinter::QtPrinter(QPrinter& printer) : printer_(printer), surface_(printer) {}

int QtPrinter::askCopies() {
    printer_.setCopyCount(1);
    printer_.setPrintRange(QPrinter::PageRange);
    printer_.setFromTo(1, 1);
    QPrintDialog dialog(&printer_, QApplication::activeWindow());
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return 0;
    const int copies = printer_.copyCount();
    // The copies become separate jobs, each printed once.
    printer_.setCopyCount(1);
    return copies < 1 ? 1 : copies;
}

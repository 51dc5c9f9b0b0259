#include "platform/QtPrinter.h"

#include <QApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

QtPrinter::QtPrinter(QPrinter& printer) : printer_(printer), surface_(printer) {}

int QtPrinter::askCopies() {
    // Each job starts fresh: the file an earlier job printed to is not proposed again.
    // (Only then: clearing the name also goes back to the default printer.)
    if (!printer_.outputFileName().isEmpty()) printer_.setOutputFileName(QString());
    printer_.setCopyCount(1);
    printer_.setPrintRange(QPrinter::PageRange);
    printer_.setFromTo(1, 1);
    // The dialog proposes a file to print to in the current folder, which is the program
    // folder, where nobody looks for a printout; it is made while the home folder is current.
    const QString current = QDir::currentPath();
    QDir::setCurrent(QDir::homePath());
    QPrintDialog dialog(&printer_, QApplication::activeWindow());
    QDir::setCurrent(current);
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return 0;
    const int copies = printer_.copyCount();
    // The copies become separate jobs, each printed once.
    printer_.setCopyCount(1);
    return copies < 1 ? 1 : copies;
}

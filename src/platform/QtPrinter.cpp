#include "platform/QtPrinter.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/MarrowbyError.h"
#include "platform/Printout.h"

namespace marrowby {

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

// Printing is left to the caller, so a print asked for here goes through the same print
// dialog, copies and jobs as the command's own Print button.
bool QtPrinter::preview(const Printout& printout) {
    const QString title = QString::fromStdString(printout.title());
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle("Print Preview: " + title);
    dialog.resize(720, 860);

    auto* pages = new QPrintPreviewWidget(&printer_, &dialog);
    std::string failure;
    QObject::connect(pages, &QPrintPreviewWidget::paintRequested, &dialog, [&](QPrinter* target) {
        QtPrintSurface pageSurface(*target);
        try {
            DrawJob(pageSurface, printout);
        } catch (const MarrowbyError& error) {
            failure = error.what();
        }
    });
    pages->fitInView();

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* print = buttons->addButton("Print...", QDialogButtonBox::AcceptRole);
    print->setObjectName("print");
    buttons->addButton(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(pages, 1);
    layout->addWidget(buttons);

    const bool printAsked = dialog.exec() == QDialog::Accepted;
    if (!failure.empty()) throw MarrowbyError(failure);
    return printAsked;
}

}  // namespace marrowby

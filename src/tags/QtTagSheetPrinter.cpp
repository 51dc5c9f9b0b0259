#include "tags/QtTagSheetPrinter.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <string>
#include <utility>

#include "engine/MarrowbyError.h"
#include "platform/QtPrintSurface.h"
#include "tags/TagPagePrint.h"

namespace {

void showError(Prompter& prompter, const std::string& text) {
    prompter.message(MessageIcon::Error, MessageBeep::Error, text, MessageButton::Ok);
}

// The preview's own Print button prints the page once, with the copy count left to the
// driver; ours goes through the same copies and jobs as "Print Tags".
QAction* previewPrintAction(QPrintPreviewDialog& dialog) {
    const QString caption = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text() == caption) return action;
    }
    return nullptr;
}

}  // namespace

QtTagSheetPrinter::QtTagSheetPrinter(QPrinter& printer, Printer& jobs, Prompter& prompter,
                                     std::filesystem::path programFolder)
    : printer_(printer), jobs_(jobs), prompter_(prompter), fonts_(std::move(programFolder)) {}

void QtTagSheetPrinter::reloadFonts() { fonts_.reload(); }

void QtTagSheetPrinter::print(const TagSheet& sheet) {
    try {
        PrintTagCopies(jobs_, prompter_, sheet, fonts_);
    } catch (const MarrowbyError& error) {
        showError(prompter_, error.what());
    }
}

void QtTagSheetPrinter::preview(const TagSheet& sheet) {
    if (!CheckTagFonts(prompter_, fonts_)) return;
    const TagFonts fonts = *fonts_.fonts();

    printer_.setDocName(kTagJobTitle);
    QPrintPreviewDialog dialog(&printer_, QApplication::activeWindow());
    std::string failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        QtPrintSurface surface(*target);
        try {
            PrintTagJob(surface, sheet, fonts);
        } catch (const MarrowbyError& error) {
            failure = error.what();
        }
    });
    bool printAsked = false;
    if (QAction* printAction = previewPrintAction(dialog)) {
        QObject::disconnect(printAction, &QAction::triggered, &dialog, nullptr);
        QObject::connect(printAction, &QAction::triggered, &dialog, [&] {
            printAsked = true;
            dialog.accept();
        });
    }
    dialog.exec();
    if (!failure.empty()) {
        showError(prompter_, failure);
        return;
    }
    if (printAsked) print(sheet);
}

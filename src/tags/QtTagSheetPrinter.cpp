#include "tags/QtTagSheetPrinter.h"

#include <utility>

#include "tags/TagPagePrint.h"

namespace marrowby {

QtTagSheetPrinter::QtTagSheetPrinter(Printer& printer, Prompter& prompter,
                                     std::filesystem::path programFolder)
    : printer_(printer),
      prompter_(prompter),
      programFolder_(programFolder),
      fonts_(std::move(programFolder)) {}

void QtTagSheetPrinter::reloadFonts() { fonts_.reload(); }

void QtTagSheetPrinter::print(const TagSheet& sheet) {
    PrintTagCopies(printer_, prompter_, sheet, fonts_, programFolder_);
}

void QtTagSheetPrinter::preview(const TagSheet& sheet) {
    PreviewTags(printer_, prompter_, sheet, fonts_, programFolder_);
}

}  // namespace marrowby

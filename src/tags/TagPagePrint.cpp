#include "tags/TagPagePrint.h"

#include <utility>

#include "engine/MarrowbyError.h"
#include "tags/TagPageLayout.h"

namespace {

// Shows why the fonts cannot be used, when they cannot; true when they can.
bool CheckTagFonts(Prompter& prompter, const TagFontSettings& fonts) {
    if (fonts.fonts()) return true;
    prompter.message(MessageIcon::Warning, MessageBeep::Exclamation, fonts.problem(),
                     MessageButton::Ok);
    return false;
}

template <typename Run>
void RunWithFonts(Prompter& prompter, const TagSheet& sheet, const TagFontSettings& fonts,
                  Run run) {
    if (!CheckTagFonts(prompter, fonts)) return;
    try {
        run(TagSheetPrintout(sheet, *fonts.fonts()));
    } catch (const MarrowbyError& error) {
        prompter.message(MessageIcon::Error, MessageBeep::Error, error.what(), MessageButton::Ok);
    }
}

}  // namespace

TagSheetPrintout::TagSheetPrintout(TagSheet sheet, TagFonts fonts)
    : sheet_(std::move(sheet)), fonts_(std::move(fonts)) {}

int TagSheetPrintout::pageCount(const PrintSurface& surface) const {
    return static_cast<int>(PageTagSheet(surface, sheet_, fonts_).firstRows.size());
}

void TagSheetPrintout::drawPage(PrintSurface& surface, int page) const {
    const TagSheetPaging paging = PageTagSheet(surface, sheet_, fonts_);
    printtags(surface, sheet_, fonts_, paging.firstRows.at(page), paging.rowsPerPage);
}

void PrintTagCopies(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                    const TagFontSettings& fonts) {
    RunWithFonts(prompter, sheet, fonts,
                 [&](const TagSheetPrintout& printout) { PrintCopies(printer, printout); });
}

void PreviewTags(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                 const TagFontSettings& fonts) {
    RunWithFonts(prompter, sheet, fonts,
                 [&](const TagSheetPrintout& printout) { PreviewThenPrint(printer, printout); });
}

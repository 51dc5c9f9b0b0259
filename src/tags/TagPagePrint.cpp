#include "tags/TagPagePrint.h"

#include <utility>

#include "engine/MarrowbyError.h"
#include "tags/TagPageLayout.h"

namespace marrowby {

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
                  const std::filesystem::path& mailerFolder, Run run) {
    if (!CheckTagFonts(prompter, fonts)) return;
    try {
        run(TagSheetPrintout(sheet, *fonts.fonts(), mailerFolder));
    } catch (const MarrowbyError& error) {
        prompter.message(MessageIcon::Error, MessageBeep::Error, error.what(), MessageButton::Ok);
    }
}

}  // namespace

TagSheetPrintout::TagSheetPrintout(TagSheet sheet, TagFonts fonts,
                                   std::filesystem::path mailerFolder)
    : sheet_(std::move(sheet)), fonts_(std::move(fonts)) {
    if (mailerFolder.empty()) return;
    const MailerSettings settings = LoadMailerSettings(mailerFolder);
    if (!settings.intelligentMailTrayLabels()) return;
    labels_ = NextTrayLabels(sheet_, settings);
    mailerFolder_ = std::move(mailerFolder);
}

int TagSheetPrintout::pageCount(const PrintSurface& surface) const {
    const TrayLabelPlaces* labels = labels_ ? &*labels_ : nullptr;
    return static_cast<int>(PageTagSheet(surface, sheet_, fonts_, labels).firstRows.size());
}

void TagSheetPrintout::drawPage(PrintSurface& surface, int page) const {
    const TrayLabelPlaces* labels = labels_ ? &*labels_ : nullptr;
    const TagSheetPaging paging = PageTagSheet(surface, sheet_, fonts_, labels);
    printtags(surface, sheet_, fonts_, paging.firstRows.at(page), paging.rowsPerPage, labels);
}

void TagSheetPrintout::startingJob() const {
    if (labels_) labels_ = IssueTrayLabels(mailerFolder_, sheet_);
}

void PrintTagCopies(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                    const TagFontSettings& fonts, const std::filesystem::path& mailerFolder) {
    RunWithFonts(prompter, sheet, fonts, mailerFolder,
                 [&](const TagSheetPrintout& printout) { PrintCopies(printer, printout); });
}

void PreviewTags(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                 const TagFontSettings& fonts, const std::filesystem::path& mailerFolder) {
    RunWithFonts(prompter, sheet, fonts, mailerFolder,
                 [&](const TagSheetPrintout& printout) { PreviewThenPrint(printer, printout); });
}

}  // namespace marrowby

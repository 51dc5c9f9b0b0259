// Printing the sheet of tags: the sheet as a printout titled "Tray/Sack Tags", printed
// one job per copy or previewed, once the tag fonts are known to be usable.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/Printer.h"
#include "platform/Printout.h"
#include "platform/Prompter.h"
#include "tags/TagFonts.h"
#include "tags/TagSheet.h"
#include "tags/TrayLabelSheet.h"

namespace marrowby {

inline constexpr char kTagJobTitle[] = "Tray/Sack Tags";

// Usually one page; rows of places that would fall below the printable area go on
// further pages (see PageTagSheet).
class TagSheetPrintout : public Printout {
  public:
    // With a mailer folder whose mailer.dat chooses the 24-digit tray labels, the tags
    // carry them: shown with the next tray serials, and every job takes its own serials
    // from the file before it starts. Throws MarrowbyError when mailer.dat cannot be read
    // or cannot make the labels.
    TagSheetPrintout(TagSheet sheet, TagFonts fonts, std::filesystem::path mailerFolder = {});

    std::string title() const override { return kTagJobTitle; }
    int pageCount(const PrintSurface& surface) const override;
    void drawPage(PrintSurface& surface, int page) const override;
    void startingJob() const override;

  private:
    TagSheet sheet_;
    TagFonts fonts_;
    std::filesystem::path mailerFolder_;
    // The labels of the job in hand; each job replaces them with its own.
    mutable std::optional<TrayLabelPlaces> labels_;
};

// Checks the fonts, asks for the copies and prints one job per copy, with the labels
// mailer.dat in the mailer folder chooses (none: the Interleaved 2 of 5 labels). Unusable
// fonts are shown as a warning and nothing is asked or printed; a refused job or unusable
// label settings are shown as an error.
void PrintTagCopies(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                    const TagFontSettings& fonts, const std::filesystem::path& mailerFolder = {});

// Checks the fonts and shows the sheet as it will print; printing from the preview goes
// the way of PrintTagCopies.
void PreviewTags(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                 const TagFontSettings& fonts, const std::filesystem::path& mailerFolder = {});

}  // namespace marrowby

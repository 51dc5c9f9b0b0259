// Printing the sheet of tags: the sheet as a printout titled "Tray/Sack Tags", printed
// one job per copy or previewed, once the tag fonts are known to be usable.
#pragma once

#include "platform/Printer.h"
#include "platform/Printout.h"
#include "platform/Prompter.h"
#include "tags/TagFonts.h"
#include "tags/TagSheet.h"

inline constexpr char kTagJobTitle[] = "Tray/Sack Tags";

// Usually one page; rows of places that would fall below the printable area go on
// further pages (see PageTagSheet).
class TagSheetPrintout : public Printout {
  public:
    TagSheetPrintout(TagSheet sheet, TagFonts fonts);

    std::string title() const override { return kTagJobTitle; }
    int pageCount(const PrintSurface& surface) const override;
    void drawPage(PrintSurface& surface, int page) const override;

  private:
    TagSheet sheet_;
    TagFonts fonts_;
};

// Checks the fonts, asks for the copies and prints one job per copy. Unusable fonts are
// shown as a warning and nothing is asked or printed; a refused job is shown as an error.
void PrintTagCopies(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                    const TagFontSettings& fonts);

// Checks the fonts and shows the sheet as it will print; printing from the preview goes
// the way of PrintTagCopies.
void PreviewTags(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                 const TagFontSettings& fonts);

#include "tags/TagPagePrint.h"

#include <string>

#include "tags/TagPageLayout.h"

namespace {

// The hourglass for as long as the copies print, however printing ends.
class BusyCursor {
  public:
    explicit BusyCursor(Prompter& prompter) : prompter_(prompter) { prompter_.setBusy(true); }
    ~BusyCursor() { prompter_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    Prompter& prompter_;
};

}  // namespace

bool PrintTagJob(PrintSurface& surface, const TagSheet& sheet, const TagFonts& fonts) {
    if (!surface.beginJob(kTagJobTitle)) return false;
    try {
        printtags(surface, sheet, fonts);
    } catch (...) {
        surface.endJob();
        throw;
    }
    surface.endJob();
    return true;
}

bool CheckTagFonts(Prompter& prompter, const TagFontSettings& fonts) {
    if (fonts.fonts()) return true;
    prompter.message(MessageIcon::Warning, MessageBeep::Exclamation, fonts.problem(),
                     MessageButton::Ok);
    return false;
}

void PrintTagCopies(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                    const TagFontSettings& fonts) {
    if (!CheckTagFonts(prompter, fonts)) return;
    const int copies = printer.askCopies();
    if (copies <= 0) {
        prompter.setBusy(false);
        return;
    }
    BusyCursor busy(prompter);
    for (int copy = 0; copy < copies; ++copy) {
        if (!PrintTagJob(printer.surface(), sheet, *fonts.fonts())) {
            prompter.message(
                MessageIcon::Error, MessageBeep::Error,
                std::string("The printer did not start the print job \"") + kTagJobTitle + "\".",
                MessageButton::Ok);
            return;
        }
    }
}

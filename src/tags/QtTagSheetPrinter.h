// Tag printing for the tag dialog on the application's printer: fonts.dat read at every
// activation, the sheet printed one job per copy with the labels mailer.dat chooses, and
// a preview of exactly those pages.
#pragma once

#include <filesystem>

#include "platform/Printer.h"
#include "platform/Prompter.h"
#include "tags/TagFonts.h"
#include "tags/TagSheetPrinter.h"

namespace marrowby {

class QtTagSheetPrinter : public TagSheetPrinter {
  public:
    // The printer and the prompter must outlive this object.
    QtTagSheetPrinter(Printer& printer, Prompter& prompter, std::filesystem::path programFolder);

    void reloadFonts() override;
    // Errors are shown through the prompter; neither call throws.
    void print(const TagSheet& sheet) override;
    // Printing from the preview prints as print() does.
    void preview(const TagSheet& sheet) override;

  private:
    Printer& printer_;
    Prompter& prompter_;
    std::filesystem::path programFolder_;  // where mailer.dat chooses the labels
    TagFontSettings fonts_;
};

}  // namespace marrowby

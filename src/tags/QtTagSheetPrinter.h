// Tag printing for the tag dialog on the application's printer: fonts.dat read at every
// activation, the sheet printed one job per copy, and a preview of exactly that page.
#pragma once

#include <filesystem>

#include "platform/Printer.h"
#include "platform/Prompter.h"
#include "tags/TagFonts.h"
#include "tags/TagSheetPrinter.h"

class QPrinter;

class QtTagSheetPrinter : public TagSheetPrinter {
  public:
    // printer is the application's QPrinter and jobs the Printer over it; both, and the
    // prompter, must outlive this object.
    QtTagSheetPrinter(QPrinter& printer, Printer& jobs, Prompter& prompter,
                      std::filesystem::path programFolder);

    void reloadFonts() override;
    // Errors are shown through the prompter; neither call throws.
    void print(const TagSheet& sheet) override;
    // Printing from the preview closes it and prints as print() does.
    void preview(const TagSheet& sheet) override;

  private:
    QPrinter& printer_;
    Printer& jobs_;
    Prompter& prompter_;
    TagFontSettings fonts_;
};

// What the tag dialog asks of tag printing: fonts read at every activation, then one
// sheet printed (one job per copy) or previewed.
#pragma once

#include "tags/TagSheet.h"

class TagSheetPrinter {
  public:
    virtual ~TagSheetPrinter() = default;

    // Reads fonts.dat from the program folder again.
    virtual void reloadFonts() = 0;
    // Asks for the copies and prints one job per copy.
    virtual void print(const TagSheet& sheet) = 0;
    // Shows exactly the pages the printer gets; printing from there goes as print() does.
    virtual void preview(const TagSheet& sheet) = 0;
};

// Printing the sheet of tags: the copies asked for, one job per copy, each job one page.
#pragma once

#include "platform/Printer.h"
#include "platform/Prompter.h"
#include "tags/TagFonts.h"
#include "tags/TagSheet.h"

inline constexpr char kTagJobTitle[] = "Tray/Sack Tags";

// One job titled "Tray/Sack Tags" holding the sheet; the job is ended even when drawing
// fails. Returns false when the printer does not start the job.
bool PrintTagJob(PrintSurface& surface, const TagSheet& sheet, const TagFonts& fonts);

// Checks the fonts, asks for the copies and prints one job per copy under the hourglass.
// Unusable fonts are shown as a warning and nothing is asked or printed.
void PrintTagCopies(Printer& printer, Prompter& prompter, const TagSheet& sheet,
                    const TagFontSettings& fonts);

// Shows why the fonts cannot be used, when they cannot; true when they can.
bool CheckTagFonts(Prompter& prompter, const TagFontSettings& fonts);

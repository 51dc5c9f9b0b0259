// A document Marrowby prints: its job title, its pages and how to draw each page. The
// envelope barcode and the tag sheet are printouts; one routine prints any of them.
#pragma once

#include <string>

#include "platform/PrintSurface.h"

class Printer;

class Printout {
  public:
    virtual ~Printout() = default;

    virtual std::string title() const = 0;
    // The pages this printout needs on the surface's paper; at least one. The count may
    // depend on the printable area.
    virtual int pageCount(const PrintSurface& surface) const = 0;
    // Draws page `page` (counted from 0) into the job begun on the surface.
    virtual void drawPage(PrintSurface& surface, int page) const = 0;
};

// Prints `copies` separate jobs, each holding every page of the printout. Throws
// MarrowbyError naming the job when the printer does not start one; a job begun is ended
// even when drawing fails.
void PrintJobs(PrintSurface& surface, const Printout& printout, int copies);

// Asks for the copies in the print dialog and prints them as PrintJobs does, under the
// hourglass. Returns false when the user cancels the dialog.
bool PrintCopies(Printer& printer, const Printout& printout);

// Shows the printout as the printer will print it; when the user asks to print from the
// preview, prints through PrintCopies. Returns true when copies were printed.
bool PreviewThenPrint(Printer& printer, const Printout& printout);

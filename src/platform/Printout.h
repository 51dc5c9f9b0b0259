// A document Marrowby prints: its job title, its pages and how to draw each page. The
// envelope barcode and the tag sheet are printouts; one routine prints any of them.
#pragma once

#include <string>

#include "platform/PrintSurface.h"

namespace marrowby {

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
    // Called before each job begins, never for a preview. A printout that numbers what it
    // prints takes its numbers here, so that a job begun has used them even when it is
    // cancelled; throwing MarrowbyError stops the printing before the job.
    virtual void startingJob() const {}
};

// Draws one job holding every page of the printout, taking nothing for it: what a
// preview shows. Throws MarrowbyError naming the job when the printer does not start
// one; a job begun is ended even when drawing fails.
void DrawJob(PrintSurface& surface, const Printout& printout);

// Prints `copies` separate jobs as DrawJob does, each after its startingJob.
void PrintJobs(PrintSurface& surface, const Printout& printout, int copies);

// Asks for the copies in the print dialog and prints them as PrintJobs does, under the
// hourglass. Returns false when the user cancels the dialog.
bool PrintCopies(Printer& printer, const Printout& printout);

// Shows the printout as the printer will print it; when the user asks to print from the
// preview, prints through PrintCopies. Returns true when copies were printed.
bool PreviewThenPrint(Printer& printer, const Printout& printout);

}  // namespace marrowby

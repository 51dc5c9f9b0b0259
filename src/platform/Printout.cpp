#include "platform/Printout.h"

#include <QApplication>

#include "engine/MarrowbyError.h"
#include "platform/Printer.h"

namespace marrowby {

namespace {

class Hourglass {
  public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace

void DrawJob(PrintSurface& surface, const Printout& printout) {
    const std::string title = printout.title();
    if (!surface.beginJob(title))
        throw MarrowbyError("The printer did not start the print job \"" + title + "\".");
    try {
        const int pages = printout.pageCount(surface);
        for (int page = 0; page < pages; ++page) {
            if (page > 0) surface.newPage();
            printout.drawPage(surface, page);
        }
    } catch (...) {
        surface.endJob();
        throw;
    }
    surface.endJob();
}

void PrintJobs(PrintSurface& surface, const Printout& printout, int copies) {
    for (int copy = 0; copy < copies; ++copy) {
        printout.startingJob();
        DrawJob(surface, printout);
    }
}

bool PrintCopies(Printer& printer, const Printout& printout) {
    const int copies = printer.askCopies();
    if (copies <= 0) return false;
    Hourglass hourglass;
    PrintJobs(printer.surface(), printout, copies);
    return true;
}

bool PreviewThenPrint(Printer& printer, const Printout& printout) {
    return printer.preview(printout) && PrintCopies(printer, printout);
}

}  // namespace marrowby

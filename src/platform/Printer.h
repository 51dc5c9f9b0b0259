// The printer a command prints on: its print dialog, its preview and the surface of its
// jobs. QtPrinter uses the printer chosen in Printer Setup; tests use a fake.
#pragma once

#include "platform/PrintSurface.h"

class Printout;

class Printer {
  public:
    virtual ~Printer() = default;

    // Shows the print dialog preset to one copy and page 1 to 1; returns the number
    // of copies chosen, or 0 when the user cancels.
    virtual int askCopies() = 0;
    // The surface that every job of this printer draws on.
    virtual PrintSurface& surface() = 0;
    // Shows the printout's pages exactly as this printer will print them; true when the
    // user asks to print them. The preview itself prints nothing.
    virtual bool preview(const Printout& printout) = 0;
};

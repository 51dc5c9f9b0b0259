// The printer chosen in Printer Setup, behind the Printer seam: Qt's print dialog, a
// preview of our own and a QtPrintSurface over the same QPrinter.
#pragma once

#include "platform/Printer.h"
#include "platform/QtPrintSurface.h"

class QPrinter;

class QtPrinter : public Printer {
  public:
    // The application owns the printer; it must outlive this object.
    explicit QtPrinter(QPrinter& printer);

    // The dialogs belong to the active window, so they stay above the dialog that asked.
    int askCopies() override;
    PrintSurface& surface() override { return surface_; }
    // A modal window with the pages and two buttons: "Print..." (object name "print"),
    // which closes it and answers true, and "Close". Throws MarrowbyError when the pages
    // could not be drawn.
    bool preview(const Printout& printout) override;

  private:
    QPrinter& printer_;
    QtPrintSurface surface_;
};

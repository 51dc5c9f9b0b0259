// The printer chosen in Printer Setup, behind the Printer seam: Qt's print dialog
// and a QtPrintSurface over the same QPrinter.
#pragma once

#include "platform/Printer.h"
#include "platform/QtPrintSurface.h"

class QPrinter;

class QtPrinter : public Printer {
  public:
    // The application owns the printer; it must outlive this object.
    explicit QtPrinter(QPrinter& printer);

    // The dialog belongs to the active window, so it stays above the dialog that asked.
    int askCopies() override;
    PrintSurface& surface() override { return surface_; }

  private:
    QPrinter& printer_;
    QtPrintSurface surface_;
};

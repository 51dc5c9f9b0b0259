// A Printer for tests: answers the print dialog with a chosen number of copies and
// records every job on a RecordingPrintSurface.
#pragma once

#include "RecordingPrintSurface.h"
#include "platform/Printer.h"

class FakePrinter : public Printer {
  public:
    FakePrinter(int dpiX, int dpiY, DevicePoint offset) : recording(dpiX, dpiY, offset) {}

    int askCopies() override {
        ++dialogs;
        return copies;
    }
    PrintSurface& surface() override { return recording; }

    RecordingPrintSurface recording;
    int copies = 1;  // 0 answers the dialog with Cancel
    int dialogs = 0;
};

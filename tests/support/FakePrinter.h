// A Printer for tests: answers the print dialog with a chosen number of copies, records
// every job on a RecordingPrintSurface, and records what a preview would show.
#pragma once

#include "RecordingPrintSurface.h"
#include "platform/Printer.h"
#include "platform/Printout.h"

namespace marrowby {

class FakePrinter : public Printer {
  public:
    FakePrinter(int dpiX, int dpiY, DevicePoint offset)
        : recording(dpiX, dpiY, offset), previewed(dpiX, dpiY, offset) {}

    int askCopies() override {
        ++dialogs;
        return copies;
    }
    PrintSurface& surface() override { return recording; }
    bool preview(const Printout& printout) override {
        DrawJob(previewed, printout);
        return printFromPreview;
    }

    RecordingPrintSurface recording;
    RecordingPrintSurface previewed;  // one job per preview shown
    int copies = 1;                   // 0 answers the dialog with Cancel
    int dialogs = 0;
    bool printFromPreview = false;  // the user's answer to every preview
};

}  // namespace marrowby

// What the batch run shows while it works: the page picture with the list's name and the
// pile of envelopes that moves from waiting to done in five steps.
#pragma once

#include <string>

namespace marrowby {

class RunProgress {
  public:
    virtual ~RunProgress() = default;

    // The page picture, the caption and the list's name.
    virtual void ShowRunStart(const std::string& listFileName) = 0;
    // n envelopes waiting and 5 - n done (n from 5 down to 0), then a short pause.
    virtual void ShowEnvelopeStep(int n) = 0;
    // Paints the page picture over.
    virtual void ClearPagePicture() = 0;
    // Hides the caption, the name, the page and the envelopes after a run.
    virtual void HideRunLabels() = 0;
};

// For runs without a window (the benchmark) and for tests that do not look at the picture.
class NoRunProgress : public RunProgress {
  public:
    void ShowRunStart(const std::string&) override {}
    void ShowEnvelopeStep(int) override {}
    void ClearPagePicture() override {}
    void HideRunLabels() override {}
};

}  // namespace marrowby

// The Prompter of an unattended run without a display: nobody could answer a box, so
// every message is written to a stream (standard error) and no file dialog is shown.
#pragma once

#include <iosfwd>

#include "platform/Prompter.h"

namespace marrowby {

class StreamPrompter : public Prompter {
  public:
    explicit StreamPrompter(std::ostream& out) : out_(out) {}

    void message(MessageIcon icon, MessageBeep beep, const std::string& text,
                 MessageButton button) override;
    // Both dialogs answer as if cancelled.
    std::string openFile(const std::string& title, const std::string& filter,
                         const std::string& folder) override;
    std::string saveFile(const std::string& title, const std::string& filter,
                         const std::string& defaultSuffix, const std::string& folder) override;
    void setBusy(bool) override {}

  private:
    std::ostream& out_;
};

}  // namespace marrowby

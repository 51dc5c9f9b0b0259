// A Prompter for tests: answers from a script and records every message word for word.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace marrowby {

struct RecordedMessage {
    MessageIcon icon;
    MessageBeep beep;
    std::string text;
    MessageButton button;
};

class FakePrompter : public Prompter {
  public:
    void message(MessageIcon icon, MessageBeep beep, const std::string& text,
                 MessageButton button) override;
    std::string openFile(const std::string& title, const std::string& filter,
                         const std::string& folder) override;
    std::string saveFile(const std::string& title, const std::string& filter,
                         const std::string& defaultSuffix, const std::string& folder) override;
    void setBusy(bool busy) override;
    int ask(const std::string& text, const std::vector<std::string>& answers) override;

    // Answers, used in order; an empty queue answers "cancelled".
    std::deque<std::string> openAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<int> askAnswers;  // an empty queue answers -1 (box closed)
    std::vector<std::string> questions;

    std::vector<RecordedMessage> messages;
    std::vector<std::string> dialogTitles;   // open and save dialog titles, in order
    std::vector<std::string> dialogFolders;  // the folder each of them started in
    bool busy = false;
};

}  // namespace marrowby

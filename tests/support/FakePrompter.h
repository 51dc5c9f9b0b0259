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
                 MessageButton button) override {
        messages.push_back({icon, beep, text, button});
    }
    std::string openFile(const std::string& title, const std::string&,
                         const std::string& folder) override {
        return dialog(title, folder, openAnswers);
    }
    std::string saveFile(const std::string& title, const std::string&, const std::string&,
                         const std::string& folder) override {
        return dialog(title, folder, saveAnswers);
    }
    void setBusy(bool isBusy) override { busy = isBusy; }
    int ask(const std::string& text, const std::vector<std::string>&) override {
        questions.push_back(text);
        return take(askAnswers, -1);
    }

    // Answers, used in order; an empty queue answers "cancelled".
    std::deque<std::string> openAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<int> askAnswers;  // an empty queue answers -1 (box closed)
    std::vector<std::string> questions;

    std::vector<RecordedMessage> messages;
    std::vector<std::string> dialogTitles;   // open and save dialog titles, in order
    std::vector<std::string> dialogFolders;  // the folder each of them started in
    bool busy = false;

  private:
    template <typename T>
    static T take(std::deque<T>& answers, T cancelled) {
        if (answers.empty()) return cancelled;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string dialog(const std::string& title, const std::string& folder,
                       std::deque<std::string>& answers) {
        dialogTitles.push_back(title);
        dialogFolders.push_back(folder);
        return take(answers, std::string());
    }
};

}  // namespace marrowby

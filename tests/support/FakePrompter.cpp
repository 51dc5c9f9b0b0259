#include "FakePrompter.h"

namespace {
std::string take(std::deque<std::string>& answers) {
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
}
}  // namespace

void FakePrompter::message(MessageIcon icon, MessageBeep beep, const std::string& text,
                           MessageButton button) {
    messages.push_back({icon, beep, text, button});
}

bool FakePrompter::question(const std::string& text) {
    questions.push_back(text);
    if (questionAnswers.empty()) return false;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

std::string FakePrompter::openFile(const std::string& title, const std::string&,
                                   const std::string& folder) {
    dialogTitles.push_back(title);
    dialogFolders.push_back(folder);
    return take(openAnswers);
}

std::string FakePrompter::saveFile(const std::string& title, const std::string&, const std::string&,
                                   const std::string& folder) {
    dialogTitles.push_back(title);
    dialogFolders.push_back(folder);
    return take(saveAnswers);
}

void FakePrompter::setBusy(bool isBusy) { busy = isBusy; }

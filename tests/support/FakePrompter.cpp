#include "FakePrompter.h"

namespace marrowby {

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

int FakePrompter::ask(const std::string& text, const std::vector<std::string>&) {
    questions.push_back(text);
    if (askAnswers.empty()) return -1;
    const int answer = askAnswers.front();
    askAnswers.pop_front();
    return answer;
}

}  // namespace marrowby

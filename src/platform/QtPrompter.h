// The Prompter of the running program: Qt message boxes, file dialogs and the
// override cursor.
#pragma once

#include <QString>

#include "platform/Prompter.h"

namespace marrowby {

class QtPrompter : public Prompter {
  public:
    void message(MessageIcon icon, MessageBeep beep, const std::string& text,
                 MessageButton button) override;
    std::string openFile(const std::string& title, const std::string& filter,
                         const std::string& folder) override;
    std::string saveFile(const std::string& title, const std::string& filter,
                         const std::string& defaultSuffix, const std::string& folder) override;
    void setBusy(bool busy) override;
    int ask(const std::string& text, const std::vector<std::string>& answers) override;

  private:
    bool busy_ = false;
};

// A filter written as "Name|*.a;*.b|Other|*.c" in Qt's "Name (*.a *.b);;Other (*.c)"
// form. "*.*" becomes "*" (every file, with or without a dot), and every pattern also
// matches its upper-case spelling, as lists made on other systems often have one.
QString ToQtFilter(const std::string& filter);

}  // namespace marrowby

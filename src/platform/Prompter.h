// Messages, file dialogs and the busy cursor go through this seam: QtPrompter shows
// real dialogs, tests use a scripted fake that records each text.
#pragma once

#include <string>
#include <vector>

namespace marrowby {

enum class MessageIcon { Error, Warning, Information };
// The sound played before a box: none, the exclamation sound or the error (hand) sound.
enum class MessageBeep { None, Exclamation, Error };
// The single button of a message box.
enum class MessageButton { Ok, Cancel };

class Prompter {
  public:
    virtual ~Prompter() = default;

    // Texts are UTF-8; file names inside them are shown as the file system gives them.
    virtual void message(MessageIcon icon, MessageBeep beep, const std::string& text,
                         MessageButton button) = 0;
    // The file dialogs start in `folder`, or in the home folder when it is empty (never in
    // the program folder, which holds nothing a user looks for).
    // An existing file chosen by the user, or empty when cancelled.
    virtual std::string openFile(const std::string& title, const std::string& filter,
                                 const std::string& folder) = 0;
    // A file name to write (the dialog asks before overwriting), or empty when cancelled.
    virtual std::string saveFile(const std::string& title, const std::string& filter,
                                 const std::string& defaultSuffix, const std::string& folder) = 0;
    // Hourglass while true, the normal arrow otherwise.
    virtual void setBusy(bool busy) = 0;
    // A question with one button per answer, the first the default (Enter): the index of
    // the answer chosen, or -1 when the box was closed, or when nobody is there to answer
    // (the default).
    virtual int ask(const std::string& /*text*/, const std::vector<std::string>& /*answers*/) {
        return -1;
    }
};

}  // namespace marrowby

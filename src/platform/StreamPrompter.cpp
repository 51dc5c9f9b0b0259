#include "platform/StreamPrompter.h"

#include <ostream>

namespace marrowby {

void StreamPrompter::message(MessageIcon, MessageBeep, const std::string& text, MessageButton) {
    out_ << "marrowby: " << text << '\n' << std::flush;
}

std::string StreamPrompter::openFile(const std::string& title, const std::string&,
                                     const std::string&) {
    out_ << "marrowby: no display to ask \"" << title << "\"\n" << std::flush;
    return {};
}

std::string StreamPrompter::saveFile(const std::string& title, const std::string&,
                                     const std::string&, const std::string&) {
    return openFile(title, {}, {});
}

}  // namespace marrowby

// A dBase table opened as a mailing list: its counts, field names and widths, the records
// the identification and the record viewer look at, and the run's source.
#pragma once

#include <memory>
#include <string>

#include "mailinglist/MailingList.h"
#include "platform/Prompter.h"

namespace marrowby {

// Reads the header and field descriptors of the table at path (a memo file stands for the
// table of the same name beside it; fileName() is then the table's path). Returns nullptr
// after telling the user when its records are too long to handle. Throws MarrowbyError
// whose text is the reason alone when the file cannot be read as a table.
std::unique_ptr<MailingList> OpenDbaseMailingList(const std::string& path, Prompter& prompter);

}  // namespace marrowby

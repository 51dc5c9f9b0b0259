// Replaces the value of one text field of one stored row, in place on its data page, with
// every other byte of the page checked to come back unchanged.
#pragma once

#include <string>

#include "mailinglist/access/MdbLibrary.h"

namespace marrowby {

// Where a row lives: its data page and its entry in that page's row offset table.
struct MdbRowLocation {
    unsigned long page = 0;
    int row = -1;
};

class MdbRowWriter {
  public:
    // fd is the database file opened for reading and writing; table was read through a
    // handle on the same file.
    MdbRowWriter(MdbTableDef& table, int fd) : table_(table), fd_(fd) {}

    // Stores value (UTF-8; empty stores a null unless the field is required) into the text
    // column at position column of the row at where. Throws MarrowbyError, before anything
    // is written, when the row cannot take the value; and after a write whose read-back
    // differs from what was meant. recordName names the record in those messages.
    void writeText(const MdbRowLocation& where, int column, const std::string& value,
                   const std::string& recordName);

  private:
    MdbTableDef& table_;
    int fd_;
};

}  // namespace marrowby

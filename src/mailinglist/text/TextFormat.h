// Text mailing lists: deciding the kind from the first line, counting the fields and
// splitting a line into its fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mailinglist/RecordSource.h"

namespace marrowby {

class Prompter;

// In the comma kinds the double quote opens and closes quoted fields. The Mac OS Roman
// curly pair (0xD2 ... 0xD3) quotes only a whole field, opened by its first byte and closed
// by its last, right before a comma or the line's end: anywhere else these bytes are the
// letters Ò and Ó of Windows-1252 names.
inline constexpr char kCurlyOpen = '\xD2';
inline constexpr char kCurlyClose = '\xD3';

// For a field of a comma-kind line starting at `start`: one past its closing 0xD3 when the
// curly pair encloses it, else npos.
size_t CurlyQuotedFieldEnd(std::string_view line, size_t start);

// "Ascii Tab-Delimited", "Ascii Comma-Delimited", "Ascii Merge" or empty. Warns about a
// blank first line; throws MarrowbyError when the file cannot be read.
std::string DetectTextKind(const std::string& path, Prompter& prompter);

// The number of fields of every line, or 0 after telling the user that lines 1 and 2
// disagree.
int CountTextFields(const std::string& path, std::string_view kind, Prompter& prompter);

// Fields of one line for the given kind: the list is made at least fieldCount long,
// emptied and filled with at most fieldCount fields.
void SplitTextLine(int fieldCount, std::string_view line, std::string_view kind, FieldList& fields);

// As SplitTextLine, with exactly fieldCount views into the line; returns the index in the
// line where the fields beyond fieldCount begin (at their separator), or the line's length
// when there are none.
size_t SplitTextLineAt(int fieldCount, std::string_view line, std::string_view kind,
                       FieldViews& fields);
// SplitTextLineAt for a line of a tab list, for a caller that knows the kind already.
size_t SplitTabLineAt(int fieldCount, std::string_view line, FieldViews& fields);
// And for a line of any of the comma kinds.
size_t SplitCommaLineAt(int fieldCount, std::string_view line, FieldViews& fields);

}  // namespace marrowby

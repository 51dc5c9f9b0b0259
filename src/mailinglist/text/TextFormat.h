// Text mailing lists: deciding the kind from the first line, counting the fields and
// splitting a line into its fields.
#pragma once

#include <string>
#include <string_view>

#include "mailinglist/RecordSource.h"

class Prompter;

// The double quote and the Mac OS Roman curly double quotes open and close quoted fields.
inline bool IsQuoteByte(char c) { return c == '"' || c == '\xD2' || c == '\xD3'; }

// "Ascii Tab-Delimited", "Ascii Comma-Delimited", "Ascii Merge" or empty. Warns about a
// blank first line; throws MarrowbyError when the file cannot be read.
std::string DetectTextKind(const std::string& path, Prompter& prompter);

// The number of fields of every line, or 0 after telling the user that lines 1 and 2
// disagree.
int CountTextFields(const std::string& path, std::string_view kind, Prompter& prompter);

// Fields of one line for the given kind: the list is made at least fieldCount long,
// emptied and filled with at most fieldCount fields.
void SplitTextLine(int fieldCount, std::string_view line, std::string_view kind, FieldList& fields);

// As SplitTextLine; returns the index in the line where the fields beyond fieldCount
// begin (at their separator), or the line's length when there are none.
size_t SplitTextLineAt(int fieldCount, std::string_view line, std::string_view kind,
                       FieldList& fields);

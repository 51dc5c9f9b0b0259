// The check made before the first write to a table: every row of every data page the table
// uses must be laid out as the database engine lays it out, so that rewriting one row
// cannot spread damage that is already there.
#pragma once

#include <string>

#include "mailinglist/access/MdbLibrary.h"

// Empty when every data page of table in the file open at fd is sound; otherwise what is
// wrong, naming the page (and the row), as a sentence.
std::string FindDamagedDataPage(MdbTableDef& table, int fd);

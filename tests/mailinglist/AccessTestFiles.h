// Copies of the real Access databases for tests, and mdb-export to read a table back
// independently of our own reader.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"

// Copies testdata/access/<name> into folder; an empty path when the test data is absent.
std::filesystem::path CopyAccessDatabase(const TempFolder& folder, const std::string& name);

#define ACCESS_DATABASE_OR_SKIP(variable, folder, name)                      \
    const std::filesystem::path variable = CopyAccessDatabase(folder, name); \
    if (variable.empty())                                                    \
    GTEST_SKIP() << "The Access test databases are absent (" << name << " in testdata/access)."

// Every row of a table as mdb-export prints it (no header, text unquoted).
using AccessRows = std::vector<std::vector<std::string>>;
AccessRows ExportAccessTable(const std::filesystem::path& database, const std::string& table);

std::string AccessFileBytes(const std::filesystem::path& file);

// Every file of a folder by name, to see that no backup copy is left behind.
std::vector<std::string> AccessFolderListing(const std::filesystem::path& folder);

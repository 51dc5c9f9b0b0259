// dBase tables for the tests: written by the shapelib tools as an independent peer, or
// built byte by byte where a table must be malformed or large.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"

struct DbfColumn {
    std::string name;
    int width;
};
using DbfRows = std::vector<std::vector<std::string>>;

// True when dbfcreate, dbfadd and dbfdump can be run.
bool ShapelibAvailable();
// A table written by dbfcreate and dbfadd (character fields only).
std::filesystem::path CreateDbf(const TempFolder& folder, const std::string& fileName,
                                const std::vector<DbfColumn>& columns, const DbfRows& rows);
// What dbfdump reads from a table, one line per field (raw values).
std::string DumpDbf(const std::filesystem::path& table);

// The bytes of a table in the usual layout; values are padded with spaces or cut to width.
std::string DbaseBytes(const std::vector<DbfColumn>& columns, const DbfRows& rows);
// Overwrites bytes of a file at an offset.
void PatchFile(const std::filesystem::path& file, long offset, const std::string& bytes);
// Where record n (from 0) of a table in the usual layout begins.
long RecordOffset(const std::vector<DbfColumn>& columns, long n);

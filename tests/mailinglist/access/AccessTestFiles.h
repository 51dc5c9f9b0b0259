// Copies of the real Access databases for tests, mdb-export to read a table back
// independently of our own reader, and the run's store of barcodes driven directly.
#pragma once

#include <QProcess>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ErrorOf.h"
#include "TempFolder.h"
#include "TestData.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/access/AccessMailingList.h"

namespace marrowby {

// Copies tests/data/access/<name> into folder; an empty path when the file is missing.
inline std::filesystem::path CopyAccessDatabase(const TempFolder& folder, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path original = TestDataFolder() / "access" / name;
    std::error_code error;
    if (!fs::is_regular_file(original, error)) return {};
    const fs::path copy = folder.path() / name;
    fs::copy_file(original, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);
    return copy;
}

// Declares a fresh folder holding a copy of the named database; a missing database fails
// the test.
#define ACCESS_DATABASE(variable, folder, name)                              \
    TempFolder folder;                                                       \
    const std::filesystem::path variable = CopyAccessDatabase(folder, name); \
    ASSERT_FALSE(variable.empty())                                           \
        << "The test database tests/data/access/" << name << " is missing."

// Every row of a table as mdb-export prints it (no header, text unquoted).
using AccessRows = std::vector<std::vector<std::string>>;
inline AccessRows ExportAccessTable(const std::filesystem::path& database,
                                    const std::string& table) {
    const QString fieldEnd = QChar(0x1f);
    const QString rowEnd = QChar(0x1e);
    QProcess exporter;
    exporter.start("mdb-export",
                   {"-H", "-Q", "-d", fieldEnd, "-R", rowEnd, "-b", "strip",
                    QString::fromStdString(database.string()), QString::fromStdString(table)});
    if (!exporter.waitForFinished(60000) || exporter.exitCode() != 0) {
        throw std::runtime_error("mdb-export failed on " + database.string());
    }
    AccessRows rows;
    for (const QString& line :
         QString::fromUtf8(exporter.readAllStandardOutput()).split(rowEnd, Qt::SkipEmptyParts)) {
        rows.emplace_back();
        for (const QString& field : line.split(fieldEnd))
            rows.back().push_back(field.toStdString());
    }
    return rows;
}

// Every file of a folder by name, to see that no backup copy is left behind.
inline std::vector<std::string> AccessFolderListing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Opens the table and stores barcodeFor(n) in field of every record n (from 1) through the
// run's source; the run's error, or empty.
inline std::string RunOver(const std::filesystem::path& path, const std::string& table,
                           const std::string& field,
                           const std::function<std::string(long)>& barcodeFor,
                           Prompter* prompter = nullptr) {
    AccessTable taTable1;
    return ErrorOf([&] {
        auto list = OpenAccessMailingList(
            taTable1, path.string(), table,
            [](const std::string&, const std::vector<std::string>&) { return std::string(); },
            prompter);
        if (!list) throw MarrowbyError("The table " + table + " is not in the database.");
        auto source =
            list->openSource({.listFileName = list->fileName(),
                              .recordCount = list->recordCount(),
                              .fieldCount = list->fieldCount(),
                              .roles = {.address = 0, .barcode = taTable1.FieldPosition(field)}});
        FieldList fields;
        for (long n = 1; source->readRecord(fields); ++n) source->storeBarcode(barcodeFor(n));
        source->finish();
    });
}

inline std::string SameBarcode(long) { return "/770011234057/"; }

}  // namespace marrowby

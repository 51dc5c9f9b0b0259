// Test helpers for Access databases: copies of the real files and mdb-export read-back.
#include "AccessTestFiles.h"

#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

fs::path CopyAccessDatabase(const TempFolder& folder, const std::string& name) {
    const fs::path data = TestDataFolder();
    if (data.empty() || !fs::exists(data / "access" / name)) return {};
    const fs::path copy = folder.path() / name;
    fs::copy_file(data / "access" / name, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);
    return copy;
}

AccessRows ExportAccessTable(const fs::path& database, const std::string& table) {
    const QString fieldEnd = QChar(0x1f);
    const QString rowEnd = QChar(0x1e);
    QProcess exporter;
    exporter.start("mdb-export",
                   {"-H", "-Q", "-d", fieldEnd, "-R", rowEnd, "-b", "strip",
                    QString::fromStdString(database.string()), QString::fromStdString(table)});
    if (!exporter.waitForFinished(60000) || exporter.exitCode() != 0) {
        throw std::runtime_error("mdb-export failed on " + database.string());
    }
    const QString output = QString::fromUtf8(exporter.readAllStandardOutput());
    AccessRows rows;
    for (const QString& line : output.split(rowEnd, Qt::SkipEmptyParts)) {
        std::vector<std::string> row;
        for (const QString& field : line.split(fieldEnd)) row.push_back(field.toStdString());
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string AccessFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> AccessFolderListing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

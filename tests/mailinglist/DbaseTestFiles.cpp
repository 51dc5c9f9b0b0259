// dBase test tables from the shapelib tools and from bytes.
#include "DbaseTestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

std::string LittleEndian(unsigned value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
    return out;
}

int RecordLength(const std::vector<DbfColumn>& columns) {
    int length = 1;
    for (const DbfColumn& column : columns) length += column.width;
    return length;
}

}  // namespace

bool ShapelibAvailable() {
    return std::system(
               "command -v dbfcreate >/dev/null 2>&1 && command -v dbfadd >/dev/null "
               "2>&1 && command -v dbfdump >/dev/null 2>&1") == 0;
}

std::filesystem::path CreateDbf(const TempFolder& folder, const std::string& fileName,
                                const std::vector<DbfColumn>& columns, const DbfRows& rows) {
    const std::filesystem::path table = folder.path() / fileName;
    std::string create = "dbfcreate " + Quoted(table.string());
    for (const DbfColumn& column : columns)
        create += " -s " + Quoted(column.name) + " " + std::to_string(column.width);
    Run(create + " >/dev/null");
    for (const auto& row : rows) {
        std::string add = "dbfadd " + Quoted(table.string());
        for (const std::string& value : row) add += " " + Quoted(value);
        Run(add + " >/dev/null");
    }
    return table;
}

std::string DumpDbf(const std::filesystem::path& table) {
    const std::string command = "dbfdump -r -m " + Quoted(table.string());
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) throw std::runtime_error("failed: " + command);
    std::string output;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, n);
    return output;
}

std::string DbaseBytes(const std::vector<DbfColumn>& columns, const DbfRows& rows) {
    const int headerLength = 32 * (int(columns.size()) + 1) + 1;
    std::string bytes = "\x03\x7E\x0C\x06" + LittleEndian(unsigned(rows.size()), 4) +
                        LittleEndian(unsigned(headerLength), 2) +
                        LittleEndian(unsigned(RecordLength(columns)), 2) + std::string(20, '\0');
    for (const DbfColumn& column : columns) {
        std::string descriptor = column.name.substr(0, 10);
        descriptor.resize(11, '\0');
        descriptor += 'C' + std::string(4, '\0') + char(column.width) + std::string(15, '\0');
        bytes += descriptor;
    }
    bytes += '\x0D';
    for (const auto& row : rows) {
        bytes += ' ';
        for (std::size_t i = 0; i < columns.size(); ++i) {
            std::string value = i < row.size() ? row[i] : "";
            value.resize(std::size_t(columns[i].width), ' ');
            bytes += value;
        }
    }
    return bytes + '\x1A';
}

void PatchFile(const std::filesystem::path& file, long offset, const std::string& bytes) {
    std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
    stream.seekp(offset);
    stream.write(bytes.data(), std::streamsize(bytes.size()));
    if (!stream) throw std::runtime_error("cannot patch " + file.string());
}

long RecordOffset(const std::vector<DbfColumn>& columns, long n) {
    return 32 * (long(columns.size()) + 1) + 1 + n * RecordLength(columns);
}

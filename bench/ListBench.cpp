// Times "Add Barcodes to a File" on a generated tab, merge or dBase list, through the same
// road as an unattended run without the progress pauses, beside a plain copy of the file.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "engine/BarcodeEngine.h"
#include "mailinglist/run/AddBarcodesToFile.h"
#include "mailinglist/run/FieldIdentifier.h"
#include "mailinglist/run/RunProgress.h"
#include "platform/Prompter.h"

namespace fs = std::filesystem;

namespace {

// Unattended runs show no dialog; any message is a failure of the benchmark.
class FailingPrompter : public Prompter {
  public:
    void message(MessageIcon, MessageBeep, const std::string& text, MessageButton) override {
        std::cerr << "message: " << text << '\n';
        std::exit(1);
    }
    std::string openFile(const std::string&, const std::string&) override { return {}; }
    std::string saveFile(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    void setBusy(bool) override {}
};

class NoIdentifier : public FieldIdentifier {
  public:
    bool identifyFields(FieldRoles&, MailingList&, bool) override { return false; }
};

const char* const kStreets[] = {"MAIN ST",        "OAK AVE",
                                "ELM ST APT 4",   "W MONROE ST STE 210",
                                "CHERRY HILL RD", "LAKEVIEW DR UNIT 2B"};
const char* const kCities[] = {"HOUSTON", "SPRINGFIELD", "EVANSTON", "BELLAIRE"};

void Generate(const fs::path& file, bool merge, long records) {
    std::ofstream out(file, std::ios::binary);
    if (merge) out << "Name,City,State,Address,Zip,Zip4\r\n";
    char line[256];
    for (long i = 0; i < records; ++i) {
        const char* street = kStreets[i % 6];
        const char* city = kCities[i % 4];
        const long number = 1 + i % 9899;
        const long zip = 10000 + (i * 7919) % 89999;
        const long plus4 = (i * 31) % 10000;
        const int length =
            merge ? std::snprintf(line, sizeof line,
                                  i % 3 == 0 ? "\"Member %ld\",\"%s\",\"TX\",\"%ld %s\",\"%05ld\","
                                               "\"%04ld\"\r\n"
                                             : "Member %ld,%s,TX,%ld %s,%05ld,%04ld\r\n",
                                  i, city, number, street, zip, plus4)
                  : std::snprintf(line, sizeof line, "Member %ld\t%s\tTX\t%ld %s\t%05ld-%04ld\r\n",
                                  i, city, number, street, zip, plus4);
        out.write(line, length);
    }
}

void Put16(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

// A dBase table whose field names identify the address, 9-digit ZIP and barcode fields.
void GenerateDbase(const fs::path& file, long records) {
    const struct {
        const char* name;
        int width;
    } fields[] = {{"NAME", 30}, {"ADDRESS", 40}, {"CITY", 20}, {"ZIP", 10}, {"BARCODE", 14}};
    const int count = sizeof fields / sizeof fields[0];
    int recordLength = 1;
    for (const auto& field : fields) recordLength += field.width;

    std::string header(32 + 32 * count + 1, '\0');
    header[0] = 0x03;
    for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<char>((records >> (8 * i)) & 0xFF);
    Put16(header, 8, static_cast<unsigned>(header.size()));
    Put16(header, 10, static_cast<unsigned>(recordLength));
    for (int n = 0; n < count; ++n) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, std::string(fields[n].name).size(), fields[n].name);
        descriptor[11] = 'C';
        descriptor[16] = static_cast<char>(fields[n].width);
        header.replace(32 + 32 * n, 32, descriptor);
    }
    header.back() = 0x0D;

    std::ofstream out(file, std::ios::binary);
    out << header;
    char value[64];
    for (long i = 0; i < records; ++i) {
        std::string record(recordLength, ' ');
        size_t at = 1;
        const auto put = [&](int width, int length) {
            record.replace(at, length, value, length);
            at += width;
        };
        put(fields[0].width, std::snprintf(value, sizeof value, "Member %ld", i));
        put(fields[1].width,
            std::snprintf(value, sizeof value, "%ld %s", 1 + i % 9899, kStreets[i % 6]));
        put(fields[2].width, std::snprintf(value, sizeof value, "%s", kCities[i % 4]));
        put(fields[3].width, std::snprintf(value, sizeof value, "%05ld%04ld",
                                           10000 + (i * 7919) % 89999, (i * 31) % 10000));
        out << record;
    }
    out << '\x1A';
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Read and write in large blocks and flush to disk, as the run does with its scratch file.
double PlainCopy(const fs::path& from, const fs::path& to) {
    const auto start = std::chrono::steady_clock::now();
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> buffer(1 << 20);
    ssize_t got;
    while ((got = ::read(in, buffer.data(), buffer.size())) > 0) {
        if (::write(out, buffer.data(), got) != got) std::exit(1);
    }
    ::fsync(out);
    ::close(in);
    ::close(out);
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: marrowby_bench tab|merge|dbase RECORDS [FOLDER]\n";
        return 2;
    }
    const std::string kind = argv[1];
    const long records = std::atol(argv[2]);
    const fs::path folder = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path();
    const fs::path list = folder / (kind == "dbase" ? "bench.dbf" : "bench-" + kind + ".txt");

    if (kind == "dbase") {
        GenerateDbase(list, records);
    } else {
        Generate(list, kind == "merge", records);
    }
    const double copySeconds = PlainCopy(list, folder / "bench-copy.txt");
    fs::remove(folder / "bench-copy.txt");
    const auto bytes = fs::file_size(list);

    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    const std::vector<std::string> designators = DesignatorTable();
    const BarcodeEngine engine(preferences, designators);
    FailingPrompter prompter;
    NoIdentifier identifier;
    NoRunProgress progress;
    MailingListContext context{prompter, identifier, progress, engine, RunSettingsOf(preferences),
                               {},       std::cerr};

    const auto start = std::chrono::steady_clock::now();
    const int status = AddBarcodesToFile(StartArguments{{list.string(), "NOSTOP"}}, context);
    const double runSeconds = Seconds(start);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "%-5s %ld records, %.1f MB: run %.2f s (%.0f records/s), plain copy %.2f s, "
        "peak memory %.1f MB, status %d\n",
        kind.c_str(), records, bytes / 1e6, runSeconds, records / runSeconds, copySeconds,
        usage.ru_maxrss / 1024.0, status);
    fs::remove(list);
    return status;
}

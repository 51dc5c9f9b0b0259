// Times "Add Barcodes to a File" on a generated tab, merge or dBase list, through the same
// road as an unattended run without the progress pauses, beside a plain copy of the file:
// medians of alternating repetitions and their ratio.
#include <algorithm>
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

namespace marrowby {

namespace fs = std::filesystem;

namespace {

// Unattended runs show no dialog; any message is a failure of the benchmark.
class FailingPrompter : public Prompter {
  public:
    void message(MessageIcon, MessageBeep, const std::string& text, MessageButton) override {
        std::cerr << "message: " << text << '\n';
        std::exit(1);
    }
    std::string openFile(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string saveFile(const std::string&, const std::string&, const std::string&,
                         const std::string&) override {
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

// Processor time of the process so far, user and system: on a machine shared with other
// work it says what the run itself costs where the clock also counts the waits.
double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Read and write in large blocks and flush to disk, as the run does with what it writes.
void CopyFile(const fs::path& from, const fs::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0) std::exit(1);
    std::vector<char> buffer(1 << 20);
    ssize_t got;
    while ((got = ::read(in, buffer.data(), buffer.size())) > 0) {
        if (::write(out, buffer.data(), got) != got) std::exit(1);
    }
    if (got < 0 || ::fsync(out) != 0) std::exit(1);
    ::close(in);
    ::close(out);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int RunBench(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: marrowby_bench tab|merge|dbase RECORDS [FOLDER [REPETITIONS]]\n";
        return 2;
    }
    const std::string kind = argv[1];
    const long records = std::atol(argv[2]);
    const fs::path folder = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path();
    const int repetitions = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    const fs::path list = folder / (kind == "dbase" ? "bench.dbf" : "bench-" + kind + ".txt");
    const fs::path original = folder / "bench-original";
    const fs::path copy = folder / "bench-copy";

    if (kind == "dbase") {
        GenerateDbase(original, records);
    } else {
        Generate(original, kind == "merge", records);
    }
    const auto bytes = fs::file_size(original);

    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    const std::vector<std::string> designators = DesignatorTable();
    const BarcodeEngine engine(preferences, designators);
    FailingPrompter prompter;
    NoIdentifier identifier;
    NoRunProgress progress;
    MailingListContext context{prompter, identifier, progress, engine, RunSettingsOf(preferences),
                               {},       std::cerr};

    // The run and the copy take turns (run, copy, copy, run, ...), each starting from the
    // same list freshly written and flushed, so that both find it in the page cache and
    // neither inherits the other's write-back.
    std::vector<double> runs;
    std::vector<double> copies;
    std::vector<double> runsProcessor;
    std::vector<double> copiesProcessor;
    int status = 0;
    for (int i = 0; i < 2 * repetitions; ++i) {
        CopyFile(original, list);
        const auto start = std::chrono::steady_clock::now();
        const double processor = ProcessorSeconds();
        if ((i % 2 == 0) == (i / 2 % 2 == 0)) {
            status |= AddBarcodesToFile(StartArguments{{list.string(), "NOSTOP"}}, context);
            runs.push_back(Seconds(start));
            runsProcessor.push_back(ProcessorSeconds() - processor);
        } else {
            CopyFile(list, copy);
            copies.push_back(Seconds(start));
            copiesProcessor.push_back(ProcessorSeconds() - processor);
            fs::remove(copy);
        }
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double run = Median(runs);
    const double plain = Median(copies);
    const double runProcessor = Median(runsProcessor);
    const double plainProcessor = Median(copiesProcessor);
    std::printf(
        "%-5s %ld records, %.1f MB: run %.3f s (%.0f records/s), plain copy %.3f s, "
        "ratio %.2f; processor time %.3f s against %.3f s, ratio %.2f (medians of %d); "
        "peak memory %.1f MB, status %d\n",
        kind.c_str(), records, bytes / 1e6, run, records / run, plain, run / plain, runProcessor,
        plainProcessor, runProcessor / plainProcessor, repetitions, usage.ru_maxrss / 1024.0,
        status);
    fs::remove(list);
    fs::remove(original);
    return status;
}

}  // namespace marrowby

int main(int argc, char** argv) { return marrowby::RunBench(argc, argv); }

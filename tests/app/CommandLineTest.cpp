// The command line: what each form of it asks for, and --barcode run through the
// real executable, which answers without a display.
#include "app/CommandLine.h"

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace fs = std::filesystem;
using Action = CommandLine::Action;

TEST(CommandLine, ArgumentsAreRead) {
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::string file;
        bool noStop;
        std::string table;
    } cases[] = {
        {{}, Action::Run, "", false, ""},
        {{"list.txt"}, Action::Run, "list.txt", false, ""},
        {{"list.txt", "nostop"}, Action::Run, "list.txt", true, ""},
        {{"db.mdb", "NoStop", "Clients"}, Action::Run, "db.mdb", true, "Clients"},
        {{"db.mdb", "stop", "Clients"}, Action::Run, "db.mdb", false, ""},
        {{"--help"}, Action::Help, "", false, ""},
        {{"--version"}, Action::Version, "", false, ""},
        {{"--frobnicate"}, Action::Invalid, "", false, ""},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.noStop, c.noStop);
        EXPECT_EQ(line.table, c.table);
    }
}

TEST(CommandLine, BarcodeOptionNeedsAnAddressAndNineZipDigits) {
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        bool highrise;
    } cases[] = {
        {{"--barcode", "123 MAIN ST", "123456789"}, Action::Barcode, false},
        {{"--barcode", "APT 5", "123456789", "--highrise"}, Action::Barcode, true},
        {{"--barcode", "--highrise", "APT 5", "123456789"}, Action::Barcode, true},
        {{"--barcode", "1 MAIN", "12345"}, Action::Invalid, false},
        {{"--barcode", "1 MAIN", "12345-6789"}, Action::Invalid, false},
        {{"--barcode", "1 MAIN", "1234567890"}, Action::Invalid, false},
        {{"--barcode", "123456789"}, Action::Invalid, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.highrise, c.highrise) << ::testing::PrintToString(c.arguments);
    }
}

TEST(CommandLine, BarcodeIsPrintedWithTheFrameBarOfPrefsDat) {
    struct Case {
        std::string frameBar;
        std::vector<std::string> arguments;
        std::string barcode;
    } cases[] = {
        {"/", {"--barcode", "123 MAIN ST", "123456789"}, "/123456789230/"},
        {"/", {"--barcode", "01", "123456789"}, "/123456789014/"},
        {"/", {"--barcode", "", "123456789"}, "/123456789997/"},
        {"/", {"--barcode", "123 MAIN ST APT 5", "123456789", "--highrise"}, "/123456789050/"},
        {"/", {"--barcode", "123 MAIN ST APT 5", "123456789"}, "/123456789230/"},
        // Two digits are the delivery point itself, highrise or not.
        {"/", {"--barcode", "12", "123456789", "--highrise"}, "/123456789122/"},
        {"|", {"--barcode", "PO BOX 1234", "987654321"}, "|987654321348|"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.write("prefs.dat", "x\r\n0\r\n0\r\n" + c.frameBar + "\r\n");
        std::ostringstream out, err;
        EXPECT_EQ(PrintBarcode(ParseCommandLine(c.arguments), folder.path(), out, err), 0);
        const std::string text = out.str();
        EXPECT_EQ(text.substr(0, text.find('\n')), c.barcode);
        EXPECT_EQ(err.str(), "");
    }
}

namespace {
struct Result {
    int status;
    std::string out;
    std::string err;
};

// Runs a copy of the executable in its own folder, with no display at all.
Result RunMarrowbyCopy(const fs::path& folder, const std::string& arguments) {
    const fs::path executable = folder / "marrowby";
    fs::copy_file(MARROWBY_EXE, executable, fs::copy_options::overwrite_existing);
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
                                executable.string() + "' " + arguments + " 2>'" +
                                (folder / "stderr").string() + "'";
    Result result{-1, {}, {}};
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        result.out.append(buffer.data(), n);
    result.status = WEXITSTATUS(pclose(pipe));
    std::ifstream err(folder / "stderr");
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return result;
}
}  // namespace

TEST(CommandLine, ExecutableAnswersWithoutADisplay) {
    TempFolder folder;
    Result barcode = RunMarrowbyCopy(folder.path(), "--barcode '123 MAIN ST' 123456789");
    EXPECT_EQ(barcode.status, 0) << barcode.err;
    EXPECT_EQ(barcode.out,
              "/123456789230/\nLSSSLLSSLSLSSLLSSLSSLSLSLSSLLSSLSSSLLSSLSLSLSSSSLSLSSLLSLLSSSL\n");
    EXPECT_EQ(folder.read("prefs.dat"), "Marrowby preferences\r\n0\r\n0\r\n/\r\n");

    Result badZip = RunMarrowbyCopy(folder.path(), "--barcode '123 MAIN ST' 12345-678");
    EXPECT_EQ(badZip.status, 2);
    EXPECT_EQ(badZip.out, "");
    EXPECT_NE(badZip.err.find("nine digits"), std::string::npos) << badZip.err;

    Result version = RunMarrowbyCopy(folder.path(), "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Marrowby Version 2.0.8 - Updated 7/25/01\n");

    Result help = RunMarrowbyCopy(folder.path(), "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: marrowby [FILE [NOSTOP [TABLE]]]", 0), 0u);
}

// The command line: what each form of it asks for, and --barcode run through the
// real executable, which answers without a display.
#include "app/CommandLine.h"

#include <sstream>

#include <gtest/gtest.h>

#include "ShellCommand.h"
#include "TempFolder.h"

namespace marrowby {

namespace fs = std::filesystem;
using Action = CommandLine::Action;

TEST(CommandLine, ArgumentsAreRead) {
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::string file;
        bool noStop;
        std::string table;
        bool highrise;
    } cases[] = {
        {{}, Action::Run, "", false, "", false},
        {{"list.txt", "nostop"}, Action::Run, "list.txt", true, "", false},
        {{"db.mdb", "NoStop", "Clients"}, Action::Run, "db.mdb", true, "Clients", false},
        {{"db.mdb", "stop", "Clients"}, Action::Run, "db.mdb", false, "", false},
        {{"--help"}, Action::Help, "", false, "", false},
        {{"--version"}, Action::Version, "", false, "", false},
        {{"--frobnicate"}, Action::Invalid, "", false, "", false},
        {{"--barcode", "123 MAIN ST", "123456789"}, Action::Barcode, "", false, "", false},
        {{"--barcode", "--highrise", "APT 5", "123456789"}, Action::Barcode, "", false, "", true},
        {{"--barcode", "1 MAIN", "12345"}, Action::Invalid, "", false, "", false},
        {{"--barcode", "1 MAIN", "1234567890"}, Action::Invalid, "", false, "", false},
        {{"--barcode", "123456789"}, Action::Invalid, "", false, "", false},
        {{"--imb", "01234567094987654321"}, Action::IntelligentMail, "", false, "", false},
        {{"--imb", "0123", "01234"}, Action::IntelligentMail, "", false, "", false},
        {{"--imb"}, Action::Invalid, "", false, "", false},
        {{"--imb", "01234567094987654321", "01234", "5"}, Action::Invalid, "", false, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.noStop, c.noStop);
        EXPECT_EQ(line.table, c.table);
        EXPECT_EQ(line.highrise, c.highrise);
    }
}

TEST(CommandLine, BarcodeIsPrintedWithTheFrameBarOfPrefsDat) {
    struct Case {
        std::string frameBar;
        std::vector<std::string> arguments;
        std::string barcode;
    } cases[] = {
        {"/", {"--barcode", "123 MAIN ST APT 5", "123456789", "--highrise"}, "/123456789050/"},
        {"|", {"--barcode", "PO BOX 1234", "987654321"}, "|987654321348|"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.write("prefs.dat", "x\r\n0\r\n0\r\n" + c.frameBar + "\r\n");
        std::ostringstream out, err;
        EXPECT_EQ(PrintBarcode(ParseCommandLine(c.arguments), folder.path(), out, err), 0);
        EXPECT_EQ(out.str().substr(0, out.str().find('\n')), c.barcode);
        EXPECT_EQ(err.str(), "");
    }

    // A query completes a short file for itself only.
    TempFolder folder;
    folder.write("prefs.dat", "x\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(PrintBarcode(ParseCommandLine(cases[0].arguments), folder.path(), out, err), 0);
    EXPECT_EQ(folder.read("prefs.dat"), "x\r\n");
}

// Queries write no settings. Settings decide what is written into lists: a folder or
// prefs.dat that other users can change is refused with its name, and nothing is read.
TEST(CommandLine, ExecutableAnswersWithoutADisplayAndRefusesSettingsOthersCanChange) {
    const std::string othersCanChange =
        " can be changed by other users; Marrowby does not use settings that others can change\n";
    struct Case {
        std::string arguments;
        int status;
        std::string out;         // the start of standard output
        const char* changeable;  // nullptr: no prefs.dat; else "", the folder, or a file in it
    } cases[] = {
        {"--barcode '123 MAIN ST' 123456789", 0,
         "/123456789230/\nLSSSLLSSLSLSSLLSSLSSLSLSLSSLLSSLSSSLLSSLSLSLSSSSLSLSSLLSLLSSSL\n",
         nullptr},
        {"--barcode '123 MAIN ST' 12345-678 2>&1", 2, "marrowby: the ZIP code must be nine digits",
         nullptr},
        {"--imb 01234567094987654321 01234567891", 0,
         "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA\n", nullptr},
        {"--imb 01234567094987654321", 0,
         "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT\n", nullptr},
        // A refusal gives its reason on standard error and nothing on standard output.
        {"--imb 01234567094987654321 0123456789 2>/dev/null", 2, "", nullptr},
        {"--imb 01234567094987654321 0123456789 2>&1 >/dev/null", 2,
         "marrowby: The routing code must have 0, 5, 9 or 11 digits, not 10.\n", nullptr},
        {"--imb 07234567094987654321 2>&1", 2, "marrowby: The second digit", nullptr},
        {"--version", 0, "Marrowby Version 2.0.8 - Updated 7/25/01\n", nullptr},
        {"--help", 0, "Usage: marrowby [FILE [NOSTOP [TABLE]]]", nullptr},
        {"--barcode 12 123456789 2>&1", 1, "", "prefs.dat"},
        {"--barcode 12 123456789 2>&1", 1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        TempFolder folder;
        const fs::path executable = folder.path() / "marrowby";
        fs::copy_file(MARROWBY_EXE, executable);
        std::string out = c.out;
        if (c.changeable != nullptr) {
            folder.write("prefs.dat", "x\r\n0\r\n0\r\n|\r\n");
            const fs::path changeable =
                *c.changeable ? folder.path() / c.changeable : folder.path();
            fs::permissions(changeable, fs::perms::others_write, fs::perm_options::add);
            out = "marrowby: " + changeable.string() + othersCanChange;
        }
        const ShellResult result =
            RunShellCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
                            executable.string() + "' " + c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(out.empty() ? result.output : result.output.substr(0, out.size()), out);
        if (c.changeable == nullptr) {
            EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
        }
    }
}

}  // namespace marrowby

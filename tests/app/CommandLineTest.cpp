// The command line: what each form of it asks for, and the queries run through the real
// executable, which answers without a display.
#include "app/CommandLine.h"

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

// The barcode takes the frame bar of prefs.dat; a query completes a short file for itself
// only and writes no settings. Settings decide what is written into lists: a folder or
// prefs.dat that other users can change is refused with its name, and nothing is read.
TEST(CommandLine, ExecutableAnswersWithoutADisplayAndRefusesSettingsOthersCanChange) {
    const std::string othersCanChange =
        " can be changed by other users; Marrowby does not use settings that others can change\n";
    const char* bar = "x\r\n0\r\n0\r\n|\r\n";
    struct Case {
        std::string arguments;
        int status;
        std::string out;         // the start of standard output and error
        const char* prefs;       // nullptr: no prefs.dat
        const char* changeable;  // nullptr: none; "": the folder; or a file in it
    } cases[] = {
        {"--barcode '123 MAIN ST' 123456789", 0,
         "/123456789230/\nLSSSLLSSLSLSSLLSSLSSLSLSLSSLLSSLSSSLLSSLSLSLSSSSLSLSSLLSLLSSSL\n",
         nullptr, nullptr},
        {"--barcode 'PO BOX 1234' 987654321", 0, "|987654321348|\n", bar, nullptr},
        {"--barcode '123 MAIN ST APT 5' 123456789 --highrise", 0, "/123456789050/\n", "x\r\n",
         nullptr},
        {"--barcode '123 MAIN ST' 12345-678", 2, "marrowby: the ZIP code must be nine digits",
         nullptr, nullptr},
        {"--imb 01234567094987654321 01234567891", 0,
         "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA\n", nullptr, nullptr},
        {"--imb 01234567094987654321", 0,
         "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT\n", nullptr, nullptr},
        // A refusal gives its reason on standard error and nothing on standard output.
        {"--imb 01234567094987654321 0123456789 2>/dev/null", 2, "", nullptr, nullptr},
        {"--imb 01234567094987654321 0123456789 >/dev/null", 2,
         "marrowby: The routing code must have 0, 5, 9 or 11 digits, not 10.\n", nullptr, nullptr},
        {"--imb 07234567094987654321", 2, "marrowby: The second digit", nullptr, nullptr},
        {"--version", 0, "Marrowby Version 2.0.8 - Updated 7/25/01\n", nullptr, nullptr},
        {"--help", 0, "Usage: marrowby [FILE [NOSTOP [TABLE]]]", nullptr, nullptr},
        {"--barcode 12 123456789", 1, "", bar, "prefs.dat"},
        {"--barcode 12 123456789", 1, "", bar, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        TempFolder folder;
        const fs::path executable = folder.path() / "marrowby";
        fs::copy_file(MARROWBY_EXE, executable);
        std::string out = c.out;
        if (c.prefs != nullptr) folder.write("prefs.dat", c.prefs);
        if (c.changeable != nullptr) {
            const fs::path changeable =
                *c.changeable ? folder.path() / c.changeable : folder.path();
            fs::permissions(changeable, fs::perms::others_write, fs::perm_options::add);
            out = "marrowby: " + changeable.string() + othersCanChange;
        }
        const ShellResult result =
            RunShellCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
                            executable.string() + "' 2>&1 " + c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(out.empty() ? result.output : result.output.substr(0, out.size()), out);
        if (c.status == 0) {
            EXPECT_EQ(result.output.find("marrowby:"), std::string::npos) << result.output;
        }
        if (c.prefs != nullptr) {
            EXPECT_EQ(folder.read("prefs.dat"), c.prefs);
        } else {
            EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
        }
    }
}

}  // namespace marrowby

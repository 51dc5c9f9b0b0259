// The command line and the start without a display: what each form of the command line
// asks for, the Qt platforms tried and the reason given when no display can be used, and
// the real executable started by a script, which answers at once without a box.
#include "app/CommandLine.h"

#include <chrono>

#include <gtest/gtest.h>

#include "ShellCommand.h"
#include "TempFolder.h"
#include "TestData.h"
#include "app/Attendance.h"

namespace marrowby {

namespace fs = std::filesystem;

TEST(CommandLine, ArgumentsAreRead) {
    const char* const actions[] = {"Run",    "Help", "Version", "Barcode", "IntelligentMail",
                                   "Invalid"};
    for (const auto& row : CaseRows("app/command-lines.tsv", 7)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        const CommandLine line = ParseCommandLine({row.begin() + 7, row.end()});
        EXPECT_EQ(actions[static_cast<int>(line.action)], row[2]);
        EXPECT_EQ(line.file, row[3]);
        EXPECT_EQ(line.noStop, row[4] == "1");
        EXPECT_EQ(line.table, row[5]);
        EXPECT_EQ(line.highrise, row[6] == "1");
    }
}

TEST(Attendance, OffscreenIsTriedLastAndTheReasonNamesWhatWasAskedFor) {
    for (const auto& row : CaseRows("app/displays.tsv", 8)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        const DisplayEnvironment environment{row[2], row[3], row[4], row[5]};
        EXPECT_EQ(PlatformsToTry(environment), row[6]);
        EXPECT_EQ(NoDisplayReason(environment), row[7]);
    }
}

// Each row runs a copy of the executable in a folder of its own, holding at most one file.
// Settings others can change are refused with their name; a query writes no settings; an
// unattended run ends with its status and its messages on standard error.
TEST(CommandLine, ExecutableRunsWithoutADisplay) {
    ASSERT_FALSE(fs::exists("/tmp/.X11-unix/X97"));  // the dead display of the table
    const std::string sample =
        ReadBytes(fs::path(MARROWBY_SOURCE_DIR) / "examples" / "customers-tab.txt");
    ASSERT_FALSE(sample.empty());
    for (const auto& row : CaseRows("app/executable.tsv", 10)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        TempFolder folder;
        const auto withFolder = [&](std::string text) {
            for (size_t at; (at = text.find("{dir}")) != std::string::npos;)
                text.replace(at, 5, folder.path().string());
            return text;
        };
        const fs::path executable = folder.path() / "marrowby";
        fs::copy_file(MARROWBY_EXE, executable);
        const std::string &file = row[4], contents = row[5] == "(sample)" ? sample : row[5];
        const bool written = !file.empty() && contents != "(none)";
        if (written) folder.write(file, contents);
        if (!row[6].empty())
            fs::permissions(folder.path() / row[6], fs::perms::others_write, fs::perm_options::add);
        const auto start = std::chrono::steady_clock::now();
        const ShellResult result = RunShellCommand(row[2] + " timeout 20 '" + executable.string() +
                                                   "' " + withFolder(row[3]));
        // Nothing waits: no welcome screen, no pauses in the progress picture.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
        EXPECT_EQ(result.status, std::stoi(row[7])) << result.output;
        const std::string expected = withFolder(row[8]);
        EXPECT_EQ(expected.empty() ? result.output : result.output.substr(0, expected.size()),
                  expected);
        if (result.status == 0) {
            EXPECT_EQ(result.output.find("marrowby:"), std::string::npos);
        }
        if (row[9] == "barcoded") {
            EXPECT_NE(folder.read(file).find("\t/770063315107/\r\n"), std::string::npos);
            continue;
        }
        if (written) {
            EXPECT_EQ(folder.read(file), contents);
        }
        if (row[9] == "nothing written") {
            EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), written ? 2 : 1);
        }
    }
}

}  // namespace marrowby

// Printing the sheet: one job per copy, the refusal of a job reported, a clear warning
// instead of any job when fonts.dat cannot be used, and fonts.dat read again on reload.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "tags/TagPagePrint.h"

namespace marrowby {

namespace {

const std::string kFonts = "x\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\n";

struct Printing {
    TempFolder folder;
    FakePrinter printer{600, 600, {50, 50}};
    FakePrompter prompter;

    void print(const std::optional<std::string>& fontsFile) {
        if (fontsFile) folder.write("fonts.dat", *fontsFile);
        printer.copies = 2;
        TagSheet sheet;
        sheet.tags[0] = TagValues{"DALLAS TX", "75201", "FC LTR 3D MACH", "", "7520125007"};
        PrintTagCopies(printer, prompter, sheet, TagFontSettings(folder.path()));
    }
};

std::string NotPoints(int line, const std::string& text) {
    return "fonts.dat line " + std::to_string(line) + ": '" + text +
           "' is not a whole number of points from 4 to 72";
}

}  // namespace

// Copies and refusals are the shared print path's; here the sheet's title and the message
// a refused job gives.
TEST(TagPagePrint, OneJobPerCopyOrTheRefusalReported) {
    Printing printing;
    printing.print(kFonts);
    const auto& jobs = printing.printer.recording.jobs;
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].title, "Tray/Sack Tags");
    EXPECT_FALSE(jobs[1].calls.empty());
    EXPECT_TRUE(printing.prompter.messages.empty());

    printing.printer.recording.refuseJobs = true;
    printing.print(kFonts);
    EXPECT_EQ(jobs.size(), 2u);
    ASSERT_EQ(printing.prompter.messages.size(), 1u);
    EXPECT_EQ(printing.prompter.messages[0].text,
              "The printer did not start the print job \"Tray/Sack Tags\".");
    EXPECT_EQ(printing.prompter.messages[0].icon, MessageIcon::Error);
}

TEST(TagPagePrint, UnusableFontsFileIsReportedAndNothingPrints) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"x\r\nArial\r\n12\r\n12pt\r\n10\r\n10\r\n10\r\n", NotPoints(4, "12pt")},
        {"x\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n 10\r\n", NotPoints(7, " 10")},
        {"x\nArial\n12\n\n10\n10\n10\n", NotPoints(4, "")},
        {"x\rArial\r0\r12\r10\r10\r10\r", NotPoints(3, "0")},
        {"x\r\nArial\r\n12\r\n12\r\n73\r\n10\r\n3\r\n", NotPoints(5, "73")},
        {"x\r\nArial\r\n12\r\n12\r\n99999999999\r\n10\r\n10\r\n", NotPoints(5, "99999999999")},
        {"x\r\nArial\r\n12\r\n12\r\n10\r\n", "fonts.dat line 6 is missing"},
        {"", "fonts.dat line 2 is missing"},
        {std::nullopt, "Cannot open file "},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(message);
        Printing printing;
        printing.print(file);
        EXPECT_EQ(printing.printer.dialogs, 0);
        EXPECT_TRUE(printing.printer.recording.jobs.empty());
        ASSERT_EQ(printing.prompter.messages.size(), 1u);
        const std::string path = file ? "" : (printing.folder.path() / "fonts.dat").string();
        EXPECT_EQ(printing.prompter.messages[0].text, message + path);
        EXPECT_EQ(printing.prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(printing.prompter.messages[0].beep, MessageBeep::Exclamation);
    }

    // Read once, kept until reloaded.
    TempFolder folder;
    folder.write("fonts.dat", kFonts);
    TagFontSettings settings(folder.path());
    ASSERT_TRUE(settings.fonts());
    folder.write("fonts.dat", "x\r\nLiberation Serif\r\n9\r\n012\r\n10\r\n10\r\n10\r\n");
    EXPECT_EQ(settings.fonts()->family, "Arial");
    settings.reload();
    ASSERT_TRUE(settings.fonts());
    EXPECT_EQ(settings.fonts()->family, "Liberation Serif");
    EXPECT_EQ(settings.fonts()->trayCorner, 12);
}

}  // namespace marrowby

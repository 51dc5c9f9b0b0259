// Printing the sheet: one job per copy under the hourglass, nothing when the print dialog
// is cancelled, and a clear warning instead of any job when fonts.dat cannot be used.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "TempFolder.h"
#include "tags/TagPagePrint.h"

namespace {

const std::string kFonts = "x\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\n";

struct Printing {
    TempFolder folder;
    FakePrinter printer{600, 600, {50, 50}};
    FakePrompter prompter;

    void print(const std::optional<std::string>& fontsFile, int copies) {
        if (fontsFile) folder.write("fonts.dat", *fontsFile);
        printer.copies = copies;
        TagSheet sheet;
        sheet.tags[0] = TagValues{"DALLAS TX", "75201", "FC LTR 3D MACH", "", "7520125007"};
        PrintTagCopies(printer, prompter, sheet, TagFontSettings(folder.path()));
    }
};

}  // namespace

TEST(TagPagePrint, OneJobPerCopy) {
    for (const int copies : {0, 1, 3}) {
        Printing printing;
        printing.print(kFonts, copies);
        EXPECT_EQ(printing.printer.dialogs, 1);
        const auto& jobs = printing.printer.recording.jobs;
        ASSERT_EQ(jobs.size(), static_cast<size_t>(copies));
        for (const RecordedJob& job : jobs) {
            EXPECT_EQ(job.title, "Tray/Sack Tags");
            EXPECT_TRUE(job.ended);
            EXPECT_FALSE(job.calls.empty());
            EXPECT_EQ(job.calls.size(), jobs.front().calls.size());
        }
        EXPECT_TRUE(printing.prompter.messages.empty());
        EXPECT_FALSE(printing.prompter.busy);
    }
}

TEST(TagPagePrint, UnusableFontsFileIsReportedAndNothingPrints) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"x\r\nArial\r\n12\r\n12pt\r\n10\r\n10\r\n10\r\n",
         "fonts.dat line 4: '12pt' is not a whole number of points from 4 to 72"},
        {"x\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n 10\r\n",
         "fonts.dat line 7: ' 10' is not a whole number of points from 4 to 72"},
        {"x\nArial\n12\n\n10\n10\n10\n",
         "fonts.dat line 4: '' is not a whole number of points from 4 to 72"},
        {"x\rArial\r0\r12\r10\r10\r10\r",
         "fonts.dat line 3: '0' is not a whole number of points from 4 to 72"},
        {"x\r\nArial\r\n12\r\n12\r\n73\r\n10\r\n3\r\n",
         "fonts.dat line 5: '73' is not a whole number of points from 4 to 72"},
        {"x\r\nArial\r\n12\r\n12\r\n99999999999\r\n10\r\n10\r\n",
         "fonts.dat line 5: '99999999999' is not a whole number of points from 4 to 72"},
        {"x\r\nArial\r\n12\r\n12\r\n10\r\n", "fonts.dat line 6 is missing"},
        {"", "fonts.dat line 2 is missing"},
        {std::nullopt, "Cannot open file "},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(message);
        Printing printing;
        printing.print(file, 2);
        EXPECT_EQ(printing.printer.dialogs, 0);
        EXPECT_TRUE(printing.printer.recording.jobs.empty());
        ASSERT_EQ(printing.prompter.messages.size(), 1u);
        const std::string path = file ? "" : (printing.folder.path() / "fonts.dat").string();
        EXPECT_EQ(printing.prompter.messages[0].text, message + path);
        EXPECT_EQ(printing.prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(printing.prompter.messages[0].beep, MessageBeep::Exclamation);
    }
}

TEST(TagPagePrint, RefusedJobStopsTheCopiesWithAMessage) {
    Printing printing;
    printing.printer.recording.refuseJobs = true;
    printing.print(kFonts, 3);
    ASSERT_EQ(printing.prompter.messages.size(), 1u);
    EXPECT_EQ(printing.prompter.messages[0].text,
              "The printer did not start the print job \"Tray/Sack Tags\".");
    EXPECT_EQ(printing.prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(printing.prompter.busy);
}

TEST(TagPagePrint, FontSettingsAreReadAgainOnReload) {
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

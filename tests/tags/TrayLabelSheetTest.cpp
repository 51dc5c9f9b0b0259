// Sheets of 24-digit tray labels: printed through Qt into PDFs and decoded place by place
// with zbarimg, quiet zones measured inside the tag; the tray serials each printed copy
// takes from mailer.dat, what a preview and a refusal take (nothing), and the unchanged
// tags of the 10- and 8-digit labels.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "FakePrinter.h"
#include "FakePrompter.h"
#include "PdfPage.h"
#include "TempFolder.h"
#include "engine/MarrowbyError.h"
#include "tags/QtTagSheetPrinter.h"
#include "tags/TagDerivation.h"
#include "tags/TagPageLayout.h"
#include "tags/TagPagePrint.h"
#include "tags/TrayLabel24.h"

namespace marrowby {

namespace {

const char kFontsFile[] = "x\r\nArial\r\n12\r\n12\r\n10\r\n10\r\n10\r\n";
const TagFonts kFonts{"Arial", 12, 12, 10, 10, 10};

// mailer.dat with the 24-digit labels chosen and a line the program does not know.
std::string MailerFile(const std::string& mailerId, const std::string& nextTraySerial,
                       const std::string& labelType = "1", const std::string& kind = "1") {
    return "m\r\n0\r\n" + mailerId + "\r\n\r\n00\r\n1\r\n" + kind + "\r\n" + nextTraySerial +
           "\r\n1\r\n" + labelType + "\r\nmine\r\n";
}

// Every place filled but the fourth, each with its own ZIP, so that a symbol in the
// wrong place or a serial out of place order shows.
TagSheet Sheet(TagKind kind) {
    const MailType type = kind == TagKind::Tray ? MailType::FLA : MailType::PFN;
    const char* contents = kind == TagKind::Tray ? "5-Digit" : "SCF";
    std::array<TagEntry, 10> entries;
    for (int n = 1; n <= 10; ++n) {
        if (n != 4)
            entries[n - 1] = {"SPRINGFIELD IL 627" + std::to_string(10 + n), contents,
                              n % 3 ? "" : "R001"};
    }
    return BuildTagSheet(entries, type, PeriodicalKind::Per, "ORIGIN CITY TX");
}

// The serials of the 24 figures each place shows, in the order drawn (place order).
std::vector<std::uint64_t> SerialsShown(const RecordedJob& job) {
    std::vector<std::uint64_t> serials;
    for (const DrawCall& call : job.calls) {
        if (call.kind == DrawCall::Text && call.text.size() == 24 &&
            call.text.find_first_not_of("0123456789") == std::string::npos)
            serials.push_back(SplitTrayLabelDigits(call.text).serial);
    }
    return serials;
}

std::vector<std::uint64_t> Consecutive(std::uint64_t first, std::uint64_t count) {
    std::vector<std::uint64_t> serials;
    for (std::uint64_t s = first; s < first + count; ++s) serials.push_back(s);
    return serials;
}

std::string NextTraySerialIn(const TempFolder& folder) {
    return LoadMailerSettings(folder.path()).nextTraySerial;
}

}  // namespace

// Each place cut out of the rasterised page decodes to its own 24 digits alone, whose
// fields are the tag's ZIP and content code, the mailer's values and serials counted on in
// place order; the bars keep ten modules blank on both sides, inside the tag.
TEST(TrayLabelSheet, EveryPlaceDecodesToItsFieldsWithQuietZonesInsideTheTag) {
    struct Case {
        TagKind kind;
        int dpi;
        const char* mailerId;
        const char* labelType;
        std::uint64_t first;
    };
    const Case cases[] = {
        {TagKind::Tray, 300, "123456", "1", 41},
        {TagKind::Sack, 300, "912345678", "8", 99990},
        {TagKind::Tray, 600, "912345678", "1", 7},
        {TagKind::Sack, 600, "123456", "8", 12345678},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.kind == TagKind::Tray ? "tray " : "sack ") << c.dpi
                                        << " dpi, mailer ID " << c.mailerId);
        TempFolder folder;
        folder.write("mailer.dat", MailerFile(c.mailerId, std::to_string(c.first), c.labelType));
        const TagSheet sheet = Sheet(c.kind);
        const std::filesystem::path pdf = folder.path() / "labels.pdf";
        const QRect printable = PrintToPdf(TagSheetPrintout(sheet, kFonts, folder.path()), pdf,
                                           c.dpi, {18, 18, 18, 18});
        const DevicePoint offset{printable.x(), printable.y()};
        ASSERT_EQ(PdfPageCount(pdf), 1);
        const QImage image = RasterisePdf(pdf, c.dpi);
        ASSERT_FALSE(image.isNull());
        const TagPageUnits units{c.dpi / 72.0f, c.dpi / 72.0f};
        const int quietZone = c.dpi * 15 / 100;  // ten modules of 0.015 in

        std::uint64_t serial = c.first;
        for (int n = 1; n <= 10; ++n) {
            SCOPED_TRACE(testing::Message() << "place " << n);
            const DevicePoint place = TagPlace(n, units, offset);
            const QRect area(place.x + offset.x, place.y + offset.y, units.across(252),
                             units.down(144));
            const std::vector<std::string> decoded =
                DecodeBarcodes(image.copy(area), folder.path(), {"i25", "code128"});
            if (n == 4) {
                EXPECT_TRUE(decoded.empty());
                continue;
            }
            ASSERT_EQ(decoded.size(), 1u);
            const TagValues& tag = *sheet.tags[n - 1];
            const TrayLabelFields expected{tag.barcodeDigits.substr(0, 5),
                                           tag.barcodeDigits.substr(5, 3),
                                           1,
                                           c.mailerId,
                                           serial++,
                                           c.labelType[0] - '0'};
            EXPECT_EQ(SplitTrayLabelDigits(decoded[0]), expected) << decoded[0];

            // A row through the lower bars, where the stripes of automation trays would be:
            // from the tag's left edge blank for a quiet zone at least, the bars alone, then
            // blank to the tag's right edge for a quiet zone at least.
            const int sackBarsTop = n % 3 ? 53 + 16 : 55 + 16;  // a code text moves them 2 down
            const int row =
                area.top() + units.down((c.kind == TagKind::Tray ? 53 : sackBarsTop) + 45);
            const QRect bars = InkBox(image, QRect(area.left(), row, area.width(), 1));
            EXPECT_GE(bars.left() - area.left(), quietZone);
            EXPECT_GE(area.right() - bars.right(), quietZone);
            // Start, twelve digit pairs and check of three bars each, the stop of four.
            EXPECT_EQ(InkRuns(image, row, area.left(), area.right()).size(), 91u);
        }
        // The sheet took exactly its nine serials, and the other lines stayed.
        EXPECT_EQ(folder.read("mailer.dat"),
                  MailerFile(c.mailerId, std::to_string(c.first + 9), c.labelType));
    }
}

// Through the tag dialog's printer: every copy is a sheet of its own serials, stored
// before its job; two prints in a row continue; a preview shows the next serials and
// takes none; printing from it does. Refusals take none and say why.
TEST(TrayLabelSheet, EveryPrintedSheetTakesItsSerialsAndAPreviewNone) {
    TempFolder folder;
    folder.write("fonts.dat", kFontsFile);
    folder.write("mailer.dat", MailerFile("123456", "100"));
    FakePrinter printer(300, 300, {75, 75});
    FakePrompter prompter;
    QtTagSheetPrinter tags(printer, prompter, folder.path());
    tags.reloadFonts();
    const TagSheet sheet = Sheet(TagKind::Tray);

    printer.copies = 2;
    tags.print(sheet);
    tags.print(sheet);
    ASSERT_EQ(printer.recording.jobs.size(), 4u);
    for (int job = 0; job < 4; ++job) {
        EXPECT_EQ(SerialsShown(printer.recording.jobs[job]), Consecutive(100 + 9 * job, 9))
            << "job " << job;
    }
    EXPECT_EQ(NextTraySerialIn(folder), "136");

    printer.copies = 1;
    tags.preview(sheet);
    ASSERT_EQ(printer.previewed.jobs.size(), 1u);
    EXPECT_EQ(SerialsShown(printer.previewed.jobs[0]), Consecutive(136, 9));
    EXPECT_EQ(NextTraySerialIn(folder), "136");
    printer.printFromPreview = true;
    tags.preview(sheet);
    ASSERT_EQ(printer.recording.jobs.size(), 5u);
    EXPECT_EQ(SerialsShown(printer.recording.jobs[4]), Consecutive(136, 9));
    EXPECT_EQ(NextTraySerialIn(folder), "145");

    // A printer that refuses the job still had the serials handed over before it.
    printer.recording.refuseJobs = true;
    printer.printFromPreview = false;
    tags.print(sheet);
    EXPECT_EQ(NextTraySerialIn(folder), "154");
    printer.recording.refuseJobs = false;
    EXPECT_EQ(prompter.messages.size(), 1u);

    struct Refusal {
        std::string file;
        const char* says;
    };
    const Refusal refusals[] = {
        {MailerFile("123456", "99999995"), "the last one beside this mailer ID is 99999999"},
        {MailerFile("912345678", "99992"), "the last one beside this mailer ID is 99999"},
        {MailerFile("123456", "5", ""), "Set the label type"},
        {MailerFile("12345", "5"), "The mailer ID must be six digits"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.says);
        folder.write("mailer.dat", r.file);
        const size_t jobs = printer.recording.jobs.size();
        prompter.messages.clear();
        tags.print(sheet);
        EXPECT_EQ(printer.recording.jobs.size(), jobs);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_NE(prompter.messages[0].text.find(r.says), std::string::npos)
            << prompter.messages[0].text;
        EXPECT_EQ(folder.read("mailer.dat"), r.file);
    }
}

// With the 10- and 8-digit labels chosen, or no mailer.dat at all, the sheet draws
// exactly what it draws without any mailer settings, and the file is left alone.
TEST(TrayLabelSheet, TheOlderLabelsDrawExactlyAsWithoutMailerSettings) {
    for (const TagKind kind : {TagKind::Tray, TagKind::Sack}) {
        const TagSheet sheet = Sheet(kind);
        RecordingPrintSurface plain(600, 600, {75, 75});
        PrintJobs(plain, TagSheetPrintout(sheet, kFonts), 1);
        for (const std::string& file : {std::string(), MailerFile("123456", "9", "1", "0")}) {
            TempFolder folder;
            if (!file.empty()) folder.write("mailer.dat", file);
            RecordingPrintSurface chosen(600, 600, {75, 75});
            PrintJobs(chosen, TagSheetPrintout(sheet, kFonts, folder.path()), 1);
            ASSERT_EQ(chosen.jobs.size(), 1u);
            EXPECT_TRUE(chosen.jobs[0].calls == plain.jobs[0].calls);
            if (file.empty()) {
                EXPECT_FALSE(std::filesystem::exists(folder.path() / "mailer.dat"));
            } else {
                EXPECT_EQ(folder.read("mailer.dat"), file);
            }
        }
    }
}

}  // namespace marrowby

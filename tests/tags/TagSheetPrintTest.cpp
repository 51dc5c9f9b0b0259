// Printing the sheet of tags: through Qt into PDFs on US Letter rasterised at the printer's
// resolution, every place decoded alone and measured; the tray serials each job takes from
// mailer.dat; the preview; and fonts.dat refused before anything prints.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QTimer>

#include <string>
#include <vector>

#include "DrawingCases.h"
#include "FakePrinter.h"
#include "FakePrompter.h"
#include "PdfPage.h"
#include "TempFolder.h"
#include "platform/QtPrinter.h"
#include "tags/I2of5.h"
#include "tags/QtTagSheetPrinter.h"
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

// Every place filled but the fourth, tag n's digits ending in n; odd places carry a code.
// On sacks the origin and the destinations of rows 2 and 4 are too long for their room.
TagSheet Sheet(TagKind kind) {
    TagSheet sheet;
    sheet.kind = kind;
    sheet.automationStripes = kind == TagKind::Tray;
    const bool sack = kind == TagKind::Sack;
    sheet.origin = sack ? "MARROWBY MAILING SERVICES OF SPRINGFIELD" : "ORIGIN CITY TX";
    for (int n = 1; n <= 10; ++n) {
        const std::string last = (n < 10 ? "0" : "") + std::to_string(n);
        const bool longPlace = sack && (n - 1) / 2 % 2 == 1;
        if (n != 4)
            sheet.tags[n - 1] = TagValues{longPlace ? "SOUTH SAN FRANCISCO CA" : "DALLAS TX",
                                          "75201", "FC LTR 3D MACH", n % 2 ? "R001" : "",
                                          (sack ? "752010" : "75201250") + last};
    }
    return sheet;
}

// The ink and blank widths of an Interleaved 2 of 5 symbol in device pixels, bar first.
std::vector<int> ExpectedRuns(const std::string& digits, const TagPageUnits& units) {
    const int narrow = units.across(1), wide = units.across(3);
    std::vector<int> runs = {narrow, narrow, narrow, narrow};
    for (size_t pair = 0; pair < digits.size(); pair += 2) {
        for (size_t e = 0; e < 5; ++e) {
            runs.push_back(barpattern(digits[pair])[e] == 'N' ? narrow : wide);
            runs.push_back(barpattern(digits[pair + 1])[e] == 'N' ? narrow : wide);
        }
    }
    runs.insert(runs.end(), {wide, narrow, narrow});
    return runs;
}

// The first of the tray serials a job shows in its 24 figures, when they are nine counted
// on one by one in place order; else 0.
std::uint64_t FirstSerial(const RecordedJob& job) {
    std::vector<std::uint64_t> serials;
    for (const DrawCall& call : job.calls) {
        if (call.kind == DrawCall::Text && call.text.size() == 24 &&
            call.text.find_first_not_of("0123456789") == std::string::npos)
            serials.push_back(SplitTrayLabelDigits(call.text).serial);
    }
    for (size_t i = 0; i < serials.size(); ++i) {
        if (serials[i] != serials[0] + i) return 0;
    }
    return serials.size() == 9 ? serials[0] : 0;
}

}  // namespace

// Each place cut out of the page decodes to its own digits alone, and nothing falls off the
// printable area. Interleaved 2 of 5 bars and spaces measure exactly as drawn, sack cut lines
// show half a point thick; the 24-digit labels carry the tag's ZIP and content code, the
// mailer's values and serials counted on in place order, quiet zones inside the tag. Rows
// below the printable area print on further sheets in the places of the first rows. A long
// sack destination is set smaller to end short of the ZIP, which prints exactly as beside a
// short one, and nothing reaches the cut line or the right column.
TEST(TagSheetPrint, EveryPlaceDecodesAndMeasuresExactlyOnThePrintedPdf) {
    struct Case {
        TagKind kind;
        int dpi;
        QMarginsF margins;     // points: left, top, right, bottom
        int rowsPerPage;       // 3/4 in down puts the first row at 2.5 in
        const char* mailerId;  // with the 24-digit labels; none: Interleaved 2 of 5
        const char* labelType;
        std::uint64_t firstSerial;
    };
    using enum TagKind;
    const Case cases[] = {
        {Tray, 300, {18, 54, 27, 54}, 3, "", "", 0},
        {Sack, 600, {27, 54, 18, 36}, 4, "", "", 0},
        {Tray, 600, {18, 18, 18, 18}, 5, "912345678", "1", 99990},
        {Sack, 300, {27, 18, 18, 36}, 4, "123456", "8", 41},
    };
    for (const Case& c : cases) {
        const bool labels = *c.mailerId != '\0';
        SCOPED_TRACE(testing::Message() << (c.kind == Tray ? "tray " : "sack ") << c.dpi
                                        << " dpi, mailer ID '" << c.mailerId << "'");
        TempFolder folder;
        if (labels)
            folder.write("mailer.dat",
                         MailerFile(c.mailerId, std::to_string(c.firstSerial), c.labelType));
        const TagSheet sheet = Sheet(c.kind);
        const std::filesystem::path pdf = folder.path() / "tags.pdf";
        const QRect printable = PrintToPdf(
            TagSheetPrintout(sheet, kFonts, labels ? folder.path() : std::filesystem::path()), pdf,
            c.dpi, c.margins);
        const DevicePoint offset{printable.x(), printable.y()};
        const TagPageUnits units{c.dpi / 72.0f, c.dpi / 72.0f};
        const int pages = (5 + c.rowsPerPage - 1) / c.rowsPerPage;
        ASSERT_EQ(PdfPageCount(pdf), pages);
        std::uint64_t serial = c.firstSerial;
        for (int page = 0; page < pages; ++page) {
            SCOPED_TRACE(testing::Message() << "page " << page + 1);
            const QImage image = RasterisePdf(pdf, c.dpi, page + 1);
            ASSERT_FALSE(image.isNull());
            EXPECT_TRUE(printable.contains(InkBox(image, image.rect())));
            const int first = 2 * page * c.rowsPerPage + 1;
            for (int n = first; n <= std::min(10, first + 2 * c.rowsPerPage - 1); ++n) {
                SCOPED_TRACE(testing::Message() << "tag " << n);
                const DevicePoint place = TagPlace(n - first + 1, units, offset);
                const int x0 = place.x + offset.x, y0 = place.y + offset.y;
                const QRect area(x0, y0, units.across(252), units.down(144));
                const std::vector<std::string> decoded =
                    DecodeBarcodes(image.copy(area), folder.path(), {"i25", "code128"});
                if (n == 4) {
                    EXPECT_TRUE(decoded.empty());
                    continue;
                }
                ASSERT_EQ(decoded.size(), 1u);
                const TagValues& tag = *sheet.tags[n - 1];
                if (labels) {
                    const TrayLabelFields expected{tag.barcodeDigits.substr(0, 5),
                                                   tag.barcodeDigits.substr(5, 3),
                                                   1,
                                                   c.mailerId,
                                                   serial++,
                                                   c.labelType[0] - '0'};
                    EXPECT_EQ(SplitTrayLabelDigits(decoded[0]), expected) << decoded[0];
                    // A row through the lower bars, where automation stripes would be: blank
                    // for ten modules (0.15 in) at least on both sides of the 91 runs.
                    const int barsTop = c.kind == Tray ? 53 : n % 2 ? 55 + 16 : 53 + 16;
                    const int row = y0 + units.down(barsTop + 45);
                    const QRect bars = InkBox(image, QRect(area.left(), row, area.width(), 1));
                    EXPECT_GE(bars.left() - area.left(), c.dpi * 15 / 100);
                    EXPECT_GE(area.right() - bars.right(), c.dpi * 15 / 100);
                    EXPECT_EQ(InkRuns(image, row, area.left(), area.right()).size(), 91u);
                } else {
                    EXPECT_EQ(decoded[0], tag.barcodeDigits);
                    const int left = x0 + units.across(c.kind == Tray ? 15.48 : 12.24);
                    EXPECT_EQ(InkRuns(image, y0 + units.down(c.kind == Tray ? 53 + 26 : 13 + 26),
                                      left - units.across(8),
                                      left + units.across(c.kind == Tray ? 110 : 88)),
                              ExpectedRuns(tag.barcodeDigits, units));
                }
                if (c.kind == Tray) continue;
                if (!labels && n % 2 == 0) {
                    // The dotted cut line, 69 points below the top without a code text.
                    const int cut = y0 + units.down(69);
                    ASSERT_GT(
                        InkRuns(image, cut, x0 + units.across(10), x0 + units.across(100)).size(),
                        20u);
                    int x = x0 + units.across(10);
                    while (!IsInk(image, x, cut)) ++x;
                    int thickness = 0;
                    for (int y = cut - 10; y <= cut + 10; ++y) thickness += IsInk(image, x, y);
                    EXPECT_GE(thickness, units.across(0.5));
                }
                // Between the texts' right edge and the cut line, nothing.
                const int right = x0 + units.across(233.28);
                EXPECT_FALSE(
                    InkBox(image, QRect(right + 1, y0, units.across(3), units.down(64))).isValid());
                if ((n - 1) / 2 % 2 == 0) continue;
                // The ZIP beside a long destination, pixel for pixel as in the row above.
                const int above = TagPlace(n - first - 1, units, offset).y + offset.y;
                const QRect zip =
                    InkBox(image, QRect(right - units.across(60), above + units.down(13),
                                        units.across(61), units.down(12)))
                        .adjusted(-1, 0, 0, 0);
                ASSERT_TRUE(zip.isValid());
                for (int y = zip.top(); y <= zip.bottom(); ++y) {
                    for (int x = zip.left(); x <= zip.right(); ++x)
                        ASSERT_EQ(IsInk(image, x, y + y0 - above), IsInk(image, x, y))
                            << x << "," << y;
                }
            }
        }
        // The sheet took exactly its nine serials, and the other lines stayed.
        if (labels) {
            EXPECT_EQ(folder.read("mailer.dat"),
                      MailerFile(c.mailerId, std::to_string(c.firstSerial + 9), c.labelType));
        }
    }
}

// Through the tag dialog's printer: every copy is a sheet of its own serials, stored before
// its job; two prints in a row continue; a preview shows the next serials and takes none;
// printing from it does. A refused job is reported; refused label settings take nothing.
TEST(TagSheetPrint, EveryPrintedSheetTakesItsSerialsAndAPreviewNone) {
    TempFolder folder;
    folder.write("fonts.dat", kFontsFile);
    folder.write("mailer.dat", MailerFile("123456", "100"));
    FakePrinter printer(300, 300, {75, 75});
    FakePrompter prompter;
    QtTagSheetPrinter tags(printer, prompter, folder.path());
    tags.reloadFonts();
    const TagSheet sheet = Sheet(TagKind::Tray);
    const auto nextSerial = [&] { return LoadMailerSettings(folder.path()).nextTraySerial; };

    printer.copies = 2;
    tags.print(sheet);
    tags.print(sheet);
    ASSERT_EQ(printer.recording.jobs.size(), 4u);
    for (int job = 0; job < 4; ++job) {
        EXPECT_EQ(printer.recording.jobs[job].title, "Tray/Sack Tags");
        EXPECT_EQ(FirstSerial(printer.recording.jobs[job]), 100u + 9 * job) << job;
    }
    EXPECT_EQ(nextSerial(), "136");

    printer.copies = 1;
    tags.preview(sheet);
    ASSERT_EQ(printer.previewed.jobs.size(), 1u);
    EXPECT_EQ(FirstSerial(printer.previewed.jobs[0]), 136u);
    EXPECT_EQ(nextSerial(), "136");
    printer.printFromPreview = true;
    tags.preview(sheet);
    ASSERT_EQ(printer.recording.jobs.size(), 5u);
    EXPECT_EQ(FirstSerial(printer.recording.jobs[4]), 136u);
    EXPECT_EQ(nextSerial(), "145");
    EXPECT_TRUE(prompter.messages.empty());

    // A printer that refuses the job still had the serials handed over before it.
    printer.recording.refuseJobs = true;
    printer.printFromPreview = false;
    tags.print(sheet);
    EXPECT_EQ(nextSerial(), "154");
    printer.recording.refuseJobs = false;
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "The printer did not start the print job \"Tray/Sack Tags\".");
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Error);

    const std::pair<std::string, const char*> refusals[] = {
        {MailerFile("123456", "99999995"), "the last one beside this mailer ID is 99999999"},
        {MailerFile("912345678", "99992"), "the last one beside this mailer ID is 99999"},
        {MailerFile("123456", "5", ""), "Set the label type"},
        {MailerFile("12345", "5"), "The mailer ID must be six digits"},
    };
    for (const auto& [file, says] : refusals) {
        SCOPED_TRACE(says);
        folder.write("mailer.dat", file);
        prompter.messages.clear();
        tags.print(sheet);
        EXPECT_EQ(printer.recording.jobs.size(), 5u);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_NE(prompter.messages[0].text.find(says), std::string::npos)
            << prompter.messages[0].text;
        EXPECT_EQ(folder.read("mailer.dat"), file);
    }
}

// With the 10- and 8-digit labels chosen, or no mailer.dat at all, the sheet draws exactly
// what it draws without any mailer settings, and the file is left alone.
TEST(TagSheetPrint, TheOlderLabelsDrawExactlyAsWithoutMailerSettings) {
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
            EXPECT_EQ(file.empty() ? "" : folder.read("mailer.dat"), file);
        }
    }
}

// The preview shows the pages the printer will get; unusable fonts give only the warning.
TEST(TagSheetPrint, PreviewShowsThePagesOrOnlyTheFontWarning) {
    for (const bool usable : {true, false}) {
        TempFolder folder;
        folder.write("fonts.dat",
                     usable ? kFontsFile : "x\r\nArial\r\n12\r\nbig\r\n10\r\n10\r\n10\r\n");
        QPrinter qprinter(QPrinter::HighResolution);
        SetUpPdfPrinter(qprinter, folder.path() / "unused.pdf", 300, {18, 54, 18, 54});
        QtPrinter printer(qprinter);
        FakePrompter prompter;
        int pages = -1;
        // Dropped with this pass when no preview came up to serve it.
        QObject pass;
        QTimer::singleShot(0, &pass, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) return;
            pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            dialog->close();
        });
        QtTagSheetPrinter(printer, prompter, folder.path()).preview(Sheet(TagKind::Tray));
        EXPECT_EQ(pages, usable ? 2 : -1);
        EXPECT_EQ(prompter.messages.size(), usable ? 0u : 1u);
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "unused.pdf"));
    }
}

// fonts.dat as tests/data/tags/fonts-file.tsv has it: the warning, and no dialog or job.
TEST(TagSheetPrint, UnusableFontsFileIsReportedAndNothingPrints) {
    for (const auto& row : CaseRows("tags/fonts-file.tsv")) {
        SCOPED_TRACE("row " + row[0]);
        TempFolder folder;
        if (row[1] != "(none)") folder.write("fonts.dat", row[1]);
        FakePrinter printer(600, 600, {50, 50});
        FakePrompter prompter;
        PrintTagCopies(printer, prompter, Sheet(TagKind::Tray), TagFontSettings(folder.path()));
        EXPECT_EQ(printer.dialogs, 0);
        EXPECT_TRUE(printer.recording.jobs.empty());
        ASSERT_EQ(prompter.messages.size(), 1u);
        const std::string path = row[1] == "(none)" ? (folder.path() / "fonts.dat").string() : "";
        EXPECT_EQ(prompter.messages[0].text, row[2] + path);
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(prompter.messages[0].beep, MessageBeep::Exclamation);
    }

    // Read once, kept until reloaded.
    TempFolder folder;
    folder.write("fonts.dat", kFontsFile);
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

// Where the envelope bars land: recorded in device pixels at two resolutions and two
// printing offsets, and printed for real into a PDF.
#include <QPrinter>

#include <gtest/gtest.h>

#include "PrintedPage.h"
#include "RecordingPrintSurface.h"
#include "TempFolder.h"
#include "engine/BarcodeEngine.h"
#include "engine/MarrowbyError.h"
#include "platform/QtPrintSurface.h"
#include "single/EnvelopeBarcode.h"

namespace {

// ZIP 12345-6789, delivery point 01: frame bar, twelve digits, frame bar.
const std::string Pattern = BarPattern("/123456789014/");

}  // namespace

TEST(EnvelopeBarcode, BarsStandInTheBottomRightCornerOfThePaper) {
    // Positions on the paper, in pixels from its top left corner.
    struct Case {
        int dpi;
        int offset;
        int firstX, bar12X, lastX, pen, baseline, fullTop, halfTop;
    };
    const Case cases[] = {
        // 4 in = 1200 px from the right edge; bar 12 at 162.5 px goes to the even 162;
        // 9 pt = 37.5 px goes to 38.
        {300, 0, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {300, 75, 1350, 1512, 2176, 6, 3225, 3187, 3210},
        {600, 0, 2700, 3025, 4352, 12, 6450, 6375, 6420},
        {600, 150, 2700, 3025, 4352, 12, 6450, 6375, 6420},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi, offset " << c.offset);
        RecordingPrintSurface surface(c.dpi, c.dpi, {c.offset, c.offset});
        ASSERT_TRUE(surface.beginJob("Single Barcode"));
        DrawEnvelopeBarcode(surface, Pattern);
        surface.endJob();

        const std::vector<DrawCall>& bars = surface.jobs.at(0).calls;
        ASSERT_EQ(bars.size(), 62u);
        auto paperX = [&](std::size_t bar) { return bars[bar].points[0].x + c.offset; };
        EXPECT_EQ(paperX(0), c.firstX);
        EXPECT_EQ(paperX(12), c.bar12X);
        EXPECT_EQ(paperX(61), c.lastX);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "bar " << i);
            const DrawCall& bar = bars[i];
            EXPECT_EQ(bar.kind, DrawCall::Line);
            EXPECT_EQ(bar.penWidth, c.pen);
            EXPECT_EQ(bar.penStyle, PenStyle::Solid);
            EXPECT_EQ(bar.points[1].x, bar.points[0].x);
            EXPECT_EQ(bar.points[0].y + c.offset, c.baseline);
            EXPECT_EQ(bar.points[1].y + c.offset, Pattern[i] == 'L' ? c.fullTop : c.halfTop);
        }
        EXPECT_EQ(surface.penWidth, 1);
    }
}

TEST(EnvelopeBarcode, RefusedJobIsAnError) {
    RecordingPrintSurface surface(300, 300, {0, 0});
    surface.refuseJobs = true;
    EXPECT_THROW(PrintEnvelopeBarcode(surface, Pattern, 1), MarrowbyError);
}

TEST(EnvelopeBarcode, PrintedPdfHasTheBarsWhereTheEnvelopeNeedsThem) {
    for (double margin : {0.0, 18.0}) {
        SCOPED_TRACE(testing::Message() << "margin " << margin << " pt");
        TempFolder folder;
        QPrinter printer(QPrinter::HighResolution);
        SetUpLetterPdf(printer, folder.path() / "envelope.pdf", margin);
        QtPrintSurface surface(printer);
        PrintEnvelopeBarcode(surface, Pattern, 1);
        ExpectEnvelopeBarsOnPage(folder.path() / "envelope.pdf", Pattern);
    }
}

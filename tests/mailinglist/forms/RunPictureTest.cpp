// The progress picture: what the envelope steps and the page draw.
#include "mailinglist/forms/RunPicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace marrowby {

namespace {

QColor Pixel(QLabel* image, QPoint at) { return image->pixmap().toImage().pixelColor(at); }

const QColor kWhite(255, 255, 255);

}  // namespace

// The envelopes step from the waiting pile to the done one, the page shows under the list's
// name; after a run nothing of the picture stays on the window, and the next run's page is
// drawn on nothing left from the last one.
TEST(RunPicture, EnvelopesAndPageThenClearedAndHidden) {
    RunPicture picture(true);
    picture.Timer1->setInterval(1);
    // The window's teal shows through around the envelopes.
    const QColor face = Qt::transparent;
    const QPoint stamp(120, 62);  // stamp of the top waiting envelope
    const QPoint back(160, 25);   // the waiting envelope at the back of the pile
    const QPoint done(83, 112);   // inside the first done envelope
    const QPoint corner(2, 197);  // background
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        picture.ShowRunStart("/home/ann/Lists/CLIENTS.TXT");
        picture.ShowEnvelopeStep(5);
        EXPECT_FALSE(picture.Image2->isHidden());
        EXPECT_EQ(Pixel(picture.Image2, stamp), QColor(255, 255, 0));
        EXPECT_EQ(Pixel(picture.Image2, back), kWhite);
        EXPECT_EQ(Pixel(picture.Image2, done), face);
        EXPECT_EQ(Pixel(picture.Image2, corner), face);
        picture.ShowEnvelopeStep(0);
        EXPECT_EQ(Pixel(picture.Image2, back), face);
        EXPECT_EQ(Pixel(picture.Image2, done), kWhite);
        EXPECT_EQ(Pixel(picture.Image2, corner), face);

        EXPECT_EQ(picture.BottomLabel->text(), "CLIENTS.TXT");
        EXPECT_FALSE(picture.TopLabel->isHidden());
        EXPECT_FALSE(picture.Image1->isHidden());
        EXPECT_EQ(Pixel(picture.Image1, {40, 50}), QColor(255, 255, 128));  // the page
        EXPECT_EQ(Pixel(picture.Image1, {65, 18}), kWhite);                 // its folded corner
        EXPECT_EQ(Pixel(picture.Image1, {20, 50}), Qt::black);              // its edge
        EXPECT_EQ(Pixel(picture.Image1, {5, 5}).alpha(), 0);                // around it
        picture.ClearPagePicture();
        picture.HideRunLabels();
        EXPECT_EQ(Pixel(picture.Image1, {40, 50}).alpha(), 0);
        for (QWidget* part : std::initializer_list<QWidget*>{picture.TopLabel, picture.BottomLabel,
                                                             picture.Image1, picture.Image2})
            EXPECT_TRUE(part->isHidden());
    }
}

// With a display each step waits one timer interval; without one nobody sees the
// picture, so a step draws and goes on at once.
TEST(RunPicture, EachStepWaitsForTheTimerOnlyWhenSomebodyCanSeeIt) {
    for (const bool pauses : {true, false}) {
        SCOPED_TRACE(pauses);
        RunPicture picture(pauses);
        bool served = false;
        // Bound to the picture, so that a timer not served in this pass is dropped with it.
        QTimer::singleShot(10, &picture, [&] { served = true; });
        QElapsedTimer clock;
        clock.start();
        picture.ShowEnvelopeStep(3);
        if (pauses) {
            EXPECT_GE(clock.elapsed(), 450);
            EXPECT_TRUE(served);
        } else {
            EXPECT_LT(clock.elapsed(), 100);
        }
        EXPECT_FALSE(picture.Image2->isHidden());
    }
}

}  // namespace marrowby

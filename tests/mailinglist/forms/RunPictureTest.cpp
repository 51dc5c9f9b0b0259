// The progress picture: what the envelope steps and the page draw.
#include "mailinglist/forms/RunPicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QColor Pixel(QLabel* image, QPoint at) { return image->pixmap().toImage().pixelColor(at); }

const QColor kWhite(255, 255, 255);

}  // namespace

TEST(RunPicture, EnvelopesMoveFromWaitingToDone) {
    RunPicture picture(true);
    picture.Timer1->setInterval(1);
    const QColor face = QApplication::palette().color(QPalette::Button);
    const QPoint stamp(120, 62);  // stamp of the top waiting envelope
    const QPoint back(160, 25);   // the waiting envelope at the back of the pile
    const QPoint done(83, 112);   // inside the first done envelope
    const QPoint corner(2, 197);  // background
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
}

TEST(RunPicture, PageAndNameThenCleared) {
    RunPicture picture(true);
    picture.ShowRunStart("/home/ann/Lists/CLIENTS.TXT");
    EXPECT_EQ(picture.BottomLabel->text(), "clients.txt");
    EXPECT_EQ(picture.TopLabel->text(), "Calculating Barcodes For");
    EXPECT_FALSE(picture.TopLabel->isHidden());
    EXPECT_EQ(Pixel(picture.Image1, {40, 50}), QColor(255, 255, 128));  // the page
    EXPECT_EQ(Pixel(picture.Image1, {65, 18}), kWhite);                 // its folded corner
    EXPECT_EQ(Pixel(picture.Image1, {20, 50}), Qt::black);              // its edge
    picture.ClearPagePicture();
    picture.HideRunLabels();
    EXPECT_EQ(Pixel(picture.Image1, {40, 50}), QApplication::palette().color(QPalette::Button));
    EXPECT_TRUE(picture.TopLabel->isHidden());
    EXPECT_TRUE(picture.BottomLabel->isHidden());
    EXPECT_TRUE(picture.Image2->isHidden());
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

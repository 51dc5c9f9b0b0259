// The welcome screen: the settings loaded, the three-second timer at start-up, hiding
// at a click or key, and About with its OK button.
#include "app/TWelcomeDlog.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace marrowby {

namespace {
// The welcome screen shown with the tag that chooses start-up (0) or About (1).
struct Shown {
    TWelcomeDlog welcome;
    int loads = 0;
    int timerRuns = 0;

    explicit Shown(int tag, bool loadSucceeds = true) {
        welcome.onLoadSettings = [this, loadSucceeds] { return ++loads, loadSucceeds; };
        welcome.onTimerDone = [this] { ++timerRuns; };
        welcome.Tag = tag;
        show();
    }
    void show() {
        welcome.show();
        QApplication::processEvents();
    }
};
}  // namespace

TEST(WelcomeDlog, AClickOrKeyHidesItAndTheTimerStillFiresOnce) {
    for (int way = 0; way < 3; ++way) {
        Shown s(0);
        if (way == 0) QTest::mouseClick(s.welcome.Image1, Qt::LeftButton);
        if (way == 1) QTest::keyClick(&s.welcome, Qt::Key_A);
        if (way == 2) QTest::keyClick(&s.welcome, Qt::Key_Escape);
        EXPECT_FALSE(s.welcome.isVisible()) << way;
        EXPECT_EQ(s.timerRuns, 0);
        s.welcome.Timer.start(1);  // fire now rather than in three seconds
        QTRY_COMPARE_WITH_TIMEOUT(s.timerRuns, 1, 1000);
        EXPECT_FALSE(s.welcome.Timer.isActive());
    }
}

TEST(WelcomeDlog, StartUpHidesAfterThreeSecondsAboutShowsOkAndFailedLoadingNeither) {
    struct Case {
        int tag;
        bool loads;
        bool timer;
        bool ok;
    };
    for (const Case& c : {Case{0, true, true, false}, Case{1, true, false, true},
                          Case{0, false, false, false}, Case{1, false, false, false}}) {
        SCOPED_TRACE(testing::Message() << "tag " << c.tag << ", loads " << c.loads);
        Shown s(c.tag, c.loads);
        EXPECT_EQ(s.loads, 1);
        EXPECT_EQ(s.welcome.Timer.isActive(), c.timer);
        EXPECT_EQ(s.welcome.okBtn->isVisible(), c.ok);
        if (c.timer) {  // start-up hides after three seconds
            QTest::qWait(2500);
            EXPECT_TRUE(s.welcome.isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(!s.welcome.isVisible(), 1500);
            EXPECT_EQ(s.timerRuns, 1);
        }
        if (!c.ok) continue;
        QTest::mouseClick(s.welcome.okBtn, Qt::LeftButton);
        EXPECT_FALSE(s.welcome.isVisible());
        s.show();
        EXPECT_EQ(s.loads, 2);
    }
}

}  // namespace marrowby

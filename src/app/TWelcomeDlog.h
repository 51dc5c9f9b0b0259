// The welcome screen: shown at start-up while the settings load, hidden after three
// seconds or at a click or key; About shows it again with an OK button.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace marrowby {

class TWelcomeDlog : public QDialog {
    Q_OBJECT
  public:
    explicit TWelcomeDlog(QWidget* parent = nullptr);

    // Loads the settings at every activation; returns false when they could not be
    // loaded (the hook has reported why), which leaves the screen up without its timer.
    std::function<bool()> onLoadSettings;
    // Runs after the start-up timer has hidden the screen.
    std::function<void()> onTimerDone;

    // 0 when shown at start-up (with the timer), 1 when shown by About (with OK).
    int Tag = 0;

    void FormActivate();
    void TimerTimer();
    void FormClick();
    void FormKeyPress();
    void okBtnClick();
    void Image1Click();

    QWidget* Image1;
    QLabel* Version;
    QPushButton* okBtn;
    QTimer Timer;

  protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace marrowby

// The run's progress picture on the main window: the caption, the list's name, a page and
// a pile of envelopes that moves from waiting to done while a run works.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "mailinglist/run/RunProgress.h"

class QLabel;
class QTimer;

namespace marrowby {

class RunPicture : public QWidget, public RunProgress {
    Q_OBJECT

  public:
    // Covers the main window's client area; everything in it is hidden until a run starts.
    // Without pauses (nobody can see the picture) the envelope steps do not wait.
    explicit RunPicture(bool pauses, QWidget* parent = nullptr);

    void ShowRunStart(const std::string& listFileName) override;
    void ShowEnvelopeStep(int n) override;
    void ClearPagePicture() override;
    void HideRunLabels() override;

    QLabel* TopLabel;
    QLabel* BottomLabel;
    QLabel* Image1;
    QLabel* Image2;
    // Paces the envelope steps; each waits one interval while window messages are served.
    QTimer* Timer1;

  private:
    void Timer1Timer();

    const bool pauses_;
    QPixmap page_;
    QPixmap envelopes_;
    bool tick_ = false;
};

}  // namespace marrowby

#include "app/TWelcomeDlog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "app/Pictures.h"
#include "app/Version.h"

namespace marrowby {

namespace {
class WelcomePicture : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintWelcomePicture(painter, rect());
    }
};
}  // namespace

TWelcomeDlog::TWelcomeDlog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle("Marrowby");
    setFixedSize(215, 214);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Teal());
    setPalette(palette);

    Image1 = new WelcomePicture(this);
    Image1->setGeometry(0, 0, 215, 214);
    Image1->installEventFilter(this);

    Version = new QLabel(this);
    Version->setGeometry(0, 166, 215, 18);
    Version->setAlignment(Qt::AlignCenter);
    QPalette text = Version->palette();
    text.setColor(QPalette::WindowText, Qt::white);
    Version->setPalette(text);
    Version->setAttribute(Qt::WA_TransparentForMouseEvents);

    okBtn = new QPushButton("OK", this);
    okBtn->setGeometry(82, 188, 51, 22);
    okBtn->setVisible(false);
    connect(okBtn, &QPushButton::clicked, this, &TWelcomeDlog::okBtnClick);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    Timer.setInterval(3000);
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &TWelcomeDlog::TimerTimer);
}

void TWelcomeDlog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // After the screen is up, so that an error box from the loading shows over it.
    QMetaObject::invokeMethod(this, &TWelcomeDlog::FormActivate, Qt::QueuedConnection);
}

void TWelcomeDlog::FormActivate() {
    Version->setText(QString::fromStdString(VersionLine()));
    if (onLoadSettings && !onLoadSettings()) return;
    if (Tag != 0) {
        okBtn->setVisible(true);
        okBtn->setFocus();
    } else {
        okBtn->setVisible(false);
        Timer.start();
    }
}

void TWelcomeDlog::TimerTimer() {
    Timer.stop();
    hide();
    if (onTimerDone) onTimerDone();
}

void TWelcomeDlog::FormClick() { hide(); }
void TWelcomeDlog::FormKeyPress() { hide(); }
void TWelcomeDlog::okBtnClick() { hide(); }
void TWelcomeDlog::Image1Click() { hide(); }

void TWelcomeDlog::mousePressEvent(QMouseEvent*) { FormClick(); }

void TWelcomeDlog::keyPressEvent(QKeyEvent* event) {
    if (event->text().isEmpty() && event->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    FormKeyPress();
}

bool TWelcomeDlog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        Image1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace marrowby

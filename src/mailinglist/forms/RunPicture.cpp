#include "mailinglist/forms/RunPicture.h"

#include <cmath>

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QTimer>

#include "mailinglist/ListFile.h"
#include "mailinglist/forms/DisplayText.h"

namespace marrowby {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kLightYellow(255, 255, 128);
const QColor kYellow(255, 255, 0);
const QColor kSilver(192, 192, 192);

QLabel* CaptionLabel(QWidget* parent, int top) {
    auto* label = new QLabel(parent);
    label->setGeometry(213, top, 196, 16);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet("color: white; font-weight: bold; background: transparent;");
    label->hide();
    return label;
}

QLabel* ImageLabel(QWidget* parent, int left, int top, int size) {
    auto* label = new QLabel(parent);
    label->setGeometry(left, top, size, size);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->hide();
    return label;
}

// A rectangle given by its corners, the right and bottom edges left out as on the
// original canvas.
void Rectangle(QPainter& painter, int left, int top, int right, int bottom) {
    painter.drawRect(left, top, right - left - 1, bottom - top - 1);
}

}  // namespace

RunPicture::RunPicture(bool pauses, QWidget* parent)
    : QWidget(parent),
      TopLabel(CaptionLabel(this, 40)),
      BottomLabel(CaptionLabel(this, 192)),
      Image1(ImageLabel(this, 261, 74, 100)),
      Image2(ImageLabel(this, 6, 43, 200)),
      Timer1(new QTimer(this)),
      pauses_(pauses),
      page_(100, 100),
      envelopes_(200, 200) {
    // It lies over the main window's client area and takes no clicks of its own.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setMinimumSize(420, 250);
    TopLabel->setText("Calculating Barcodes For");
    page_.fill(Qt::transparent);
    envelopes_.fill(Qt::transparent);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &RunPicture::Timer1Timer);
}

void RunPicture::Timer1Timer() { tick_ = true; }

void RunPicture::ShowRunStart(const std::string& listFileName) {
    {
        QPainter painter(&page_);
        const double w = page_.width() / 100.0;
        const double h = page_.height() / 100.0;
        const auto at = [&](double x, double y) {
            return QPoint(static_cast<int>(std::nearbyint(x * w)),
                          static_cast<int>(std::nearbyint(y * h)));
        };
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(kWhite);
        painter.drawPolygon(QPolygon({at(60, 10), at(60, 30), at(80, 30), at(60, 10)}));
        painter.setBrush(kLightYellow);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawPolygon(QPolygon(
            {at(20, 10), at(60, 10), at(60, 30), at(80, 30), at(80, 90), at(20, 90), at(20, 10)}));
    }
    Image1->setPixmap(page_);
    BottomLabel->setText(DisplayText(LastPathComponent(listFileName)));
    TopLabel->show();
    Image1->show();
    BottomLabel->show();
}

void RunPicture::ShowEnvelopeStep(int n) {
    Image2->hide();
    {
        // The window's teal shows around the envelopes, as around the page.
        envelopes_.fill(Qt::transparent);
        QPainter painter(&envelopes_);
        painter.setPen(Qt::black);
        for (int k = 0; k <= 4 - n; ++k) {
            const int b = 36 - 9 * k;
            painter.setBrush(kWhite);
            painter.drawPolygon(QPolygon({QPoint(90 - b, 41 + b), QPoint(165 - b, 84 + b),
                                          QPoint(148 - b, 115 + b), QPoint(73 - b, 71 + b)}));
            painter.drawPolyline(QPolygon({QPoint(73 - b, 71 + b), QPoint(83 - b, 66 + b),
                                           QPoint(148 - b, 105 + b), QPoint(148 - b, 115 + b)}));
        }
        for (int k = 0; k < n; ++k) {
            const int x = -9 * k;
            const int y = 8 * k;
            painter.setBrush(kWhite);
            Rectangle(painter, 79 + x, 22 + y, 166 + x, 57 + y);
            painter.drawLine(85 + x, 27 + y, 98 + x, 27 + y);
            painter.drawLine(85 + x, 31 + y, 98 + x, 31 + y);
            painter.setBrush(kYellow);
            Rectangle(painter, 153 + x, 27 + y, 159 + x, 33 + y);
            painter.setBrush(kSilver);
            Rectangle(painter, 123 + x, 39 + y, 149 + x, 48 + y);
        }
    }
    Image2->setPixmap(envelopes_);
    Image2->show();
    QApplication::processEvents();
    if (!pauses_) return;
    tick_ = false;
    Timer1->start();
    while (!tick_) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Timer1->stop();
}

// Painted over with nothing, not with a colour: a square of any colour would stay on the
// teal window after the run, and the next page would be drawn on it.
void RunPicture::ClearPagePicture() {
    page_.fill(Qt::transparent);
    Image1->setPixmap(page_);
}

void RunPicture::HideRunLabels() {
    TopLabel->hide();
    BottomLabel->hide();
    Image1->hide();
    Image2->hide();
    QApplication::processEvents();
}

}  // namespace marrowby

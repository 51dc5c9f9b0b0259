#include "app/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace marrowby {

namespace {
// A few bars of a barcode: 1 a full bar, 0 a half bar.
constexpr int BarSample[] = {1, 0, 0, 0, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 0, 1, 0, 0, 1};

void PaintEnvelope(QPainter& painter, const QRectF& body) {
    painter.setPen(QPen(Qt::black, body.width() / 100.0 + 0.5));
    painter.setBrush(QColor(250, 248, 236));
    painter.drawRect(body);
    QPainterPath flap;
    flap.moveTo(body.topLeft());
    flap.lineTo(body.center().x(), body.top() + body.height() * 0.45);
    flap.lineTo(body.topRight());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flap);

    const double pitch = body.width() * 0.7 / std::size(BarSample);
    const double full = body.height() * 0.14;
    const double base = body.bottom() - body.height() * 0.1;
    const double left = body.left() + body.width() * 0.25;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (size_t i = 0; i < std::size(BarSample); ++i) {
        const double height = BarSample[i] ? full : full * 0.4;
        painter.drawRect(QRectF(left + i * pitch, base - height, pitch * 0.45, height));
    }
}
}  // namespace

QColor Teal() { return QColor(0x00, 0x80, 0x80); }

void PaintWelcomePicture(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Teal());
    // A darker edge sets the borderless screen apart from the teal main window.
    painter.setPen(QPen(Teal().darker(160), 2));
    painter.drawRect(area.adjusted(1, 1, -1, -1));

    QFont title = painter.font();
    title.setBold(true);
    title.setPixelSize(area.height() / 8);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(
        QRect(area.left(), area.top() + area.height() / 20, area.width(), area.height() / 6),
        Qt::AlignCenter, "Marrowby");

    // Two envelopes, one behind the other, as a mailing.
    const QRectF back(area.left() + area.width() * 0.2, area.top() + area.height() * 0.27,
                      area.width() * 0.66, area.height() * 0.36);
    PaintEnvelope(painter, back);
    PaintEnvelope(painter, back.translated(-area.width() * 0.08, area.height() * 0.1));
    painter.restore();
}

QPixmap EnvelopeIcon() {
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintEnvelope(painter, QRectF(2, 7, 28, 19));
    return icon;
}

}  // namespace marrowby

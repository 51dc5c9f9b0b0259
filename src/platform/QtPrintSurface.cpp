#include "platform/QtPrintSurface.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QPrinter>

namespace {

QPoint ToQt(DevicePoint point) { return {point.x, point.y}; }

}  // namespace

QtPrintSurface::QtPrintSurface(QPrinter& printer) : printer_(printer) {}

bool QtPrintSurface::beginJob(const std::string& title) {
    printer_.setDocName(QString::fromStdString(title));
    printer_.setCopyCount(1);
    if (!painter_.begin(&printer_)) return false;
    painter_.setPen(pen());
    painter_.setBrush(brush());
    painter_.setFont(font_);
    return true;
}

void QtPrintSurface::newPage() { printer_.newPage(); }

void QtPrintSurface::endJob() { painter_.end(); }

int QtPrintSurface::dpiX() const { return printer_.logicalDpiX(); }

int QtPrintSurface::dpiY() const { return printer_.logicalDpiY(); }

DevicePoint QtPrintSurface::printingOffset() const {
    const QPageLayout layout = printer_.pageLayout();
    const int resolution = printer_.resolution();
    const QPoint offset =
        layout.paintRectPixels(resolution).topLeft() - layout.fullRectPixels(resolution).topLeft();
    return {offset.x(), offset.y()};
}

int QtPrintSurface::printableWidth() const {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).width();
}

int QtPrintSurface::printableHeight() const {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
}

int QtPrintSurface::paperWidth() const {
    return printer_.pageLayout().fullRectPixels(printer_.resolution()).width();
}

int QtPrintSurface::paperHeight() const {
    return printer_.pageLayout().fullRectPixels(printer_.resolution()).height();
}

void QtPrintSurface::setPen(int width, PenStyle style) {
    penWidth_ = width;
    penStyle_ = style;
    if (painter_.isActive()) painter_.setPen(pen());
}

void QtPrintSurface::setFill(FillColor color) {
    fill_ = color;
    if (painter_.isActive()) painter_.setBrush(brush());
}

void QtPrintSurface::line(DevicePoint from, DevicePoint to) {
    painter_.drawLine(ToQt(from), ToQt(to));
}

void QtPrintSurface::rectangle(DevicePoint topLeft, DevicePoint bottomRight) {
    painter_.fillRect(
        QRect(ToQt(topLeft), QSize(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y)), brush());
}

void QtPrintSurface::polygon(const std::vector<DevicePoint>& corners) {
    QPolygon polygon;
    for (const DevicePoint& corner : corners) polygon << ToQt(corner);
    painter_.setPen(Qt::NoPen);
    painter_.drawPolygon(polygon);
    painter_.setPen(pen());
}

void QtPrintSurface::setFont(const std::string& family, int pointSize) {
    font_ = QFont(QString::fromStdString(family));
    font_.setPointSize(pointSize);
    if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrintSurface::text(DevicePoint topLeft, const std::string& text) {
    // Qt places text by its baseline; the ascent above it is the top of the character cell.
    const int ascent = QFontMetrics(font_, &printer_).ascent();
    painter_.drawText(QPoint(topLeft.x, topLeft.y + ascent), QString::fromStdString(text));
}

int QtPrintSurface::textWidth(const std::string& text) {
    return QFontMetrics(font_, &printer_).horizontalAdvance(QString::fromStdString(text));
}

QPen QtPrintSurface::pen() const {
    QPen pen(Qt::black, penWidth_, penStyle_ == PenStyle::Solid ? Qt::SolidLine : Qt::DotLine,
             Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

QBrush QtPrintSurface::brush() const {
    return QBrush(fill_ == FillColor::Black ? Qt::black : Qt::white);
}

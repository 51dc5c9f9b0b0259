// The program's own pictures, drawn in code: the welcome picture and the small
// envelope icon of the preferences dialog.
#pragma once

#include <QPixmap>
#include <QRect>

class QPainter;

namespace marrowby {

// The teal colour of the main window and the welcome screen.
QColor Teal();

// An envelope with a barcode along its lower edge, filling the rectangle.
void PaintWelcomePicture(QPainter& painter, const QRect& area);
// A 32 x 32 envelope with bars.
QPixmap EnvelopeIcon();

}  // namespace marrowby

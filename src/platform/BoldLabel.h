// Headings of the forms: a label in the form's font, bold.
#pragma once

#include <QLabel>

namespace marrowby {

QLabel* BoldLabel(const QString& text);

}  // namespace marrowby

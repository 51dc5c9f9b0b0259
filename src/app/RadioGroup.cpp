#include "app/RadioGroup.h"

#include <QVBoxLayout>

namespace marrowby {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(this) {
    auto* layout = new QVBoxLayout(this);
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_.addButton(button, static_cast<int>(i));
        layout->addWidget(button);
    }
    connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_.button(index)) button->setChecked(true);
}

QRadioButton* RadioGroup::item(int index) const {
    return static_cast<QRadioButton*>(buttons_.button(index));
}

}  // namespace marrowby

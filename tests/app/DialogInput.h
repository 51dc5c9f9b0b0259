// Clicks an item of a radio group as the user does, on its round button.
#pragma once

#include <QTest>

#include "app/RadioGroup.h"

namespace marrowby {

inline void ClickItem(RadioGroup* group, int index) {
    QRadioButton* item = group->item(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
}

}  // namespace marrowby

// Input as the user gives it: clicking an item of a radio group on its round button, and
// replacing the text of a line edit by typing.
#pragma once

#include <QLineEdit>
#include <QTest>

#include "app/RadioGroup.h"

namespace marrowby {

inline void ClickItem(RadioGroup* group, int index) {
    QRadioButton* item = group->item(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
}

inline void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

}  // namespace marrowby

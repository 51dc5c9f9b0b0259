// What the form tests share: a help system that records every request, and input as the
// user gives it (clicking an item of a radio group on its round button, replacing the text
// of a line edit by typing, and a list of such inputs from a case table).
#pragma once

#include <QLineEdit>
#include <QTest>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/RadioGroup.h"
#include "platform/HelpRequests.h"

namespace marrowby {

class FakeHelp : public HelpRequests {
  public:
    void showContext(int context) override { contexts.push_back(context); }
    void showIndex() override { ++indexRequests; }
    void quit() override {}

    std::vector<int> contexts;
    int indexRequests = 0;
};

inline void ClickItem(RadioGroup* group, int index) {
    QRadioButton* item = group->item(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
}

inline void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Enters "name=value" items, separated by blanks: clicks item VALUE of the radio group of
// that name, or types VALUE into the line edit of that name.
inline void Enter(const std::string& items, const std::map<std::string, RadioGroup*>& groups,
                  const std::map<std::string, QLineEdit*>& edits) {
    std::istringstream in(items);
    for (std::string item; in >> item;) {
        const std::string name = item.substr(0, item.find('='));
        const std::string value = item.substr(name.size() + 1);
        if (groups.count(name) != 0) {
            ClickItem(groups.at(name), std::stoi(value));
        } else {
            Type(edits.at(name), QString::fromStdString(value));
        }
    }
}

}  // namespace marrowby

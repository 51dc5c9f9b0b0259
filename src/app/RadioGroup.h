// A framed group of radio buttons with a caption and one selected item index.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

namespace marrowby {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

    // -1 when no item is selected.
    int itemIndex() const { return buttons_.checkedId(); }
    void setItemIndex(int index);
    QRadioButton* item(int index) const;

  signals:
    // The user clicked one of the items.
    void clicked();

  private:
    QButtonGroup buttons_;
};

}  // namespace marrowby

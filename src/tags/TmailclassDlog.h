// The "Mail Type" dialog: the first step of making tags, where the user picks the kind
// of mail, the periodical kind and the origin line that every tag ends with.
#pragma once

#include <QDialog>

#include "tags/MailTypes.h"

class QButtonGroup;
class QLineEdit;

class TmailclassDlog : public QDialog {
    Q_OBJECT
  public:
    explicit TmailclassDlog(QWidget* parent = nullptr);

    // The mail type, periodical kind and origin line as they stand.
    MailTypeChoice choice() const;

  private:
    QButtonGroup* mailTypes_;
    QButtonGroup* periodicalKinds_;
    QLineEdit* origin_;
};

// The help viewer: a small window showing the program's own help pages, with a
// contents page and a topic index that narrows as the user types.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QWidget>

#include "platform/HelpRequests.h"

namespace marrowby {

// The page that a help context opens, as a resource address.
QString HelpPage(int context);

class HelpViewer : public QWidget, public HelpRequests {
    Q_OBJECT
  public:
    HelpViewer();

    void showContext(int context) override;
    void showIndex() override;
    void quit() override;

    QTextBrowser* pages;
    QLineEdit* search;
    QListWidget* topics;

  private:
    void showPage(const QUrl& page);
    void present();
    void searchEdited(const QString& text);
    void openTopic();

    QStackedWidget* stack_;
};

}  // namespace marrowby

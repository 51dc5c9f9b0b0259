#include "platform/HelpRequests.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace marrowby {

void AddHelpKey(QWidget& form, HelpRequests& help, int context) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &form);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &form,
                     [&help, context] { help.showContext(context); });
}

}  // namespace marrowby

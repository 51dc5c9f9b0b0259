#include "platform/QtPrompter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace marrowby {

namespace {
QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

std::string FileNameBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString StartFolder(const std::string& folder) {
    return folder.empty() ? QDir::homePath() : QFile::decodeName(QByteArray::fromStdString(folder));
}

QString PatternsOf(const QString& windowsPatterns) {
    QStringList patterns;
    for (const QString& pattern : windowsPatterns.split(';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed == "*.*" || trimmed == "*") {
            patterns << "*";
            continue;
        }
        patterns << trimmed;
        if (trimmed.toUpper() != trimmed) patterns << trimmed.toUpper();
    }
    return patterns.join(' ');
}
}  // namespace

QString ToQtFilter(const std::string& filter) {
    const QStringList parts = QString::fromUtf8(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + " (" + PatternsOf(parts[i + 1]) + ")";
    }
    return filters.join(";;");
}

void QtPrompter::message(MessageIcon icon, MessageBeep beep, const std::string& text,
                         MessageButton button) {
    if (beep != MessageBeep::None) QApplication::beep();
    const auto standardButton =
        button == MessageButton::Cancel ? QMessageBox::Cancel : QMessageBox::Ok;
    QMessageBox box(BoxIcon(icon), "Marrowby", QString::fromUtf8(text), standardButton,
                    QApplication::activeWindow());
    box.exec();
}

int QtPrompter::ask(const std::string& text, const std::vector<std::string>& answers) {
    QMessageBox box(QMessageBox::Question, "Marrowby", QString::fromUtf8(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    std::vector<QPushButton*> buttons;
    for (const std::string& answer : answers)
        buttons.push_back(box.addButton(QString::fromUtf8(answer), QMessageBox::AcceptRole));
    if (!buttons.empty()) box.setDefaultButton(buttons.front());
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return -1;
}

std::string QtPrompter::openFile(const std::string& title, const std::string& filter,
                                 const std::string& folder) {
    return FileNameBytes(QFileDialog::getOpenFileName(QApplication::activeWindow(),
                                                      QString::fromUtf8(title), StartFolder(folder),
                                                      ToQtFilter(filter)));
}

std::string QtPrompter::saveFile(const std::string& title, const std::string& filter,
                                 const std::string& defaultSuffix, const std::string& folder) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromUtf8(title), StartFolder(folder),
                       ToQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromUtf8(defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return FileNameBytes(dialog.selectedFiles().constFirst());
}

void QtPrompter::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace marrowby

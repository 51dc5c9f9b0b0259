#include "app/TMainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <exception>

#include "app/Pictures.h"
#include "platform/HelpRequests.h"
#include "platform/Prompter.h"

TMainWindow::TMainWindow(Prompter& prompter, HelpRequests& help)
    : prompter_(prompter), help_(help) {
    setWindowTitle("Marrowby");

    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, Teal());
    client_->setPalette(palette);
    setCentralWidget(client_);

    File1 = menuBar()->addMenu("&File");
    PrinterSetup1 = addCommand(File1, "Printer Setup", &TMainWindow::PrinterSetup1Click);
    File1->addSeparator();
    Exit = addCommand(File1, "E&xit", &TMainWindow::ExitClick);
    Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));

    BarcodesforEnvelopes1 = menuBar()->addMenu("Barcodes for Envelopes");
    AddBarcodestoaFile1 = addCommand(BarcodesforEnvelopes1, "Add Barcodes to a File",
                                     &TMainWindow::AddBarcodestoaFile1Click);
    OneAddressataTime1 = addCommand(BarcodesforEnvelopes1, "One Barcode at a Time",
                                    &TMainWindow::OneAddressataTime1Click);
    BarcodesforEnvelopes1->addSeparator();
    MailerSettings1 =
        addCommand(BarcodesforEnvelopes1, "Mailer Settings...", &TMainWindow::MailerSettings1Click);

    BarcodedTraySackTags1 = menuBar()->addMenu("Barcoded Tray/Sack Tags");
    EnterTagInfo1 = addCommand(BarcodedTraySackTags1, "Create and Print Tags",
                               &TMainWindow::EnterTagInfo1Click);
    SetTagFonts1 =
        addCommand(BarcodedTraySackTags1, "Set Tag Fonts", &TMainWindow::SetTagFonts1Click);

    Help1 = menuBar()->addMenu("&Help");
    Contents1 = addCommand(Help1, "&Contents", &TMainWindow::Contents1Click);
    TopicSearch1 = addCommand(Help1, "&Topic Search", &TMainWindow::TopicSearch1Click);
    InstallBarcodeFonts1 =
        addCommand(Help1, "Install &Barcode Fonts", &TMainWindow::InstallBarcodeFonts1Click);
    Help1->addSeparator();
    About1 = addCommand(Help1, "&About", &TMainWindow::About1Click);

    AddHelpKey(*this, help_, HelpContext::Contents);
    resize(439, 300);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QAction* TMainWindow::addCommand(QMenu* menu, const QString& caption,
                                 void (TMainWindow::*handler)()) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, handler);
    commands_ << action;
    return action;
}

void TMainWindow::setCommandsEnabled(bool enabled) {
    for (QAction* command : commands_) command->setEnabled(enabled);
}

void TMainWindow::setProgressPicture(QWidget* picture) {
    progressPicture_ = picture;
    picture->setParent(client_);
    picture->setAttribute(Qt::WA_TranslucentBackground);
    picture->setGeometry(0, 0, 439, client_->height());
    picture->raise();
    picture->show();
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (progressPicture_ != nullptr) {
        progressPicture_->setGeometry(0, 0, 439, client_->height());
    }
}

bool TMainWindow::runCommand(const std::function<void()>& command) {
    // Qt must never see an exception pass through its event loop.
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        prompter_.message(MessageIcon::Error, MessageBeep::None, error.what(), MessageButton::Ok);
    }
    return false;
}

void TMainWindow::PrinterSetup1Click() {
    if (onPrinterSetup) runCommand(onPrinterSetup);
}

void TMainWindow::ExitClick() {
    if (onExit) onExit();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    ExitClick();
}

void TMainWindow::AddBarcodestoaFile1Click() {
    runCommand([this] {
        if (onPreferences && !onPreferences()) return;
        if (onAddBarcodes) onAddBarcodes();
    });
}

void TMainWindow::OneAddressataTime1Click() {
    if (onOneBarcode) runCommand(onOneBarcode);
}

void TMainWindow::MailerSettings1Click() {
    if (onMailerSettings) runCommand(onMailerSettings);
}

void TMainWindow::EnterTagInfo1Click() {
    if (onCreateTags) runCommand(onCreateTags);
}

void TMainWindow::SetTagFonts1Click() {
    if (onSetTagFonts) runCommand(onSetTagFonts);
}

void TMainWindow::Contents1Click() { help_.showContext(HelpContext::Contents); }

void TMainWindow::TopicSearch1Click() { help_.showIndex(); }

void TMainWindow::InstallBarcodeFonts1Click() {
    if (onInstallBarcodeFonts) runCommand(onInstallBarcodeFonts);
}

void TMainWindow::About1Click() {
    if (onAbout) runCommand(onAbout);
}

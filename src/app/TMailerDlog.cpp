#include "app/TMailerDlog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "engine/MarrowbyError.h"
#include "platform/HelpRequests.h"
#include "tags/TrayLabel24.h"

namespace marrowby {

namespace {

QLineEdit* DigitsEdit(int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    return edit;
}

// A label that says why a choice is unavailable, tall enough for its longest reason so
// that the dialog does not jump as reasons come and go.
QLabel* ReasonLabel(int minimumHeight, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setMinimumHeight(minimumHeight);
    return label;
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

// The next serial must fit the serial digits that the mailer ID leaves.
std::string SerialProblem(const MailerSettings& settings) {
    try {
        const unsigned long long serial = settings.serial();
        if (MailerIdProblem(settings.identity.mailerId).empty() &&
            serial > LargestSerial(settings.identity.mailerId)) {
            return "The next serial number is larger than " +
                   std::to_string(LargestSerial(settings.identity.mailerId)) +
                   ", the largest for a mailer ID of " +
                   std::to_string(settings.identity.mailerId.size()) + " digits.";
        }
        return {};
    } catch (const MarrowbyError&) {
        return "The next serial number must be a number of one to nine digits.";
    }
}

}  // namespace

TMailerDlog::TMailerDlog(HelpRequests& help, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Mailer Settings");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    barcodeChoice = new RadioGroup("Which barcode should mailing lists and envelopes get?",
                                   {"POSTNET", "Intelligent Mail"}, this);
    mailerId = DigitsEdit(9, this);
    serviceType = DigitsEdit(3, this);
    barcodeId = DigitsEdit(2, this);
    nextSerial = DigitsEdit(9, this);
    reason = ReasonLabel(48, this);
    trayLabelChoice = new RadioGroup(
        "Which labels should the tag sheet print?",
        {"10- and 8-digit labels (Interleaved 2 of 5)", "24-digit Intelligent Mail tray labels"},
        this);
    nextTraySerial = DigitsEdit(8, this);
    processingCode = DigitsEdit(1, this);
    labelType = DigitsEdit(1, this);
    trayReason = ReasonLabel(32, this);
    okBtn = new QPushButton("OK", this);
    okBtn->setDefault(true);
    cancelBtn = new QPushButton("Cancel", this);

    auto* fields = new QFormLayout;
    fields->addRow("Mailer ID (6 or 9 digits):", mailerId);
    fields->addRow("Service type identifier (3 digits):", serviceType);
    fields->addRow("Barcode identifier (normally 00):", barcodeId);
    fields->addRow("Next serial number:", nextSerial);
    auto* trayFields = new QFormLayout;
    trayFields->addRow("Next tray serial number:", nextTraySerial);
    trayFields->addRow("Processing code (1 digit):", processingCode);
    trayFields->addRow("Label type (1 digit):", labelType);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(barcodeChoice);
    layout->addLayout(fields);
    layout->addWidget(reason);
    layout->addWidget(trayLabelChoice);
    layout->addLayout(trayFields);
    layout->addWidget(trayReason);
    layout->addLayout(buttons);
    setFixedWidth(440);

    for (QLineEdit* edit : {mailerId, serviceType, barcodeId, nextSerial, nextTraySerial,
                            processingCode, labelType}) {
        connect(edit, &QLineEdit::textChanged, this, &TMailerDlog::updateChoice);
    }
    connect(barcodeChoice, &RadioGroup::clicked, this, &TMailerDlog::updateChoice);
    connect(trayLabelChoice, &RadioGroup::clicked, this, &TMailerDlog::updateChoice);
    connect(okBtn, &QPushButton::clicked, this, &TMailerDlog::okClick);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    AddHelpKey(*this, help, HelpContext::Mailer);
}

void TMailerDlog::setSettings(const MailerSettings& settings) {
    settings_ = settings;
    mailerId->setText(QString::fromStdString(settings.identity.mailerId));
    serviceType->setText(QString::fromStdString(settings.identity.serviceType));
    barcodeId->setText(QString::fromStdString(settings.identity.barcodeId));
    nextSerial->setText(QString::fromStdString(settings.nextSerial));
    barcodeChoice->setItemIndex(settings.intelligentMail() ? 1 : 0);
    nextTraySerial->setText(QString::fromStdString(settings.nextTraySerial));
    processingCode->setText(QString::fromStdString(settings.processingCode));
    labelType->setText(QString::fromStdString(settings.labelType));
    trayLabelChoice->setItemIndex(settings.intelligentMailTrayLabels() ? 1 : 0);
    updateChoice();
}

MailerSettings TMailerDlog::settings() const {
    MailerSettings settings = settings_;
    settings.identity.mailerId = Text(mailerId);
    settings.identity.serviceType = Text(serviceType);
    settings.identity.barcodeId = Text(barcodeId);
    settings.nextSerial = Text(nextSerial);
    settings.barcode =
        barcodeChoice->itemIndex() == 1 ? BarcodeChoice::IntelligentMail : BarcodeChoice::Postnet;
    settings.nextTraySerial = Text(nextTraySerial);
    settings.processingCode = Text(processingCode);
    settings.labelType = Text(labelType);
    settings.trayLabels = trayLabelChoice->itemIndex() == 1 ? TrayLabelChoice::IntelligentMail
                                                            : TrayLabelChoice::InterleavedTwoOfFive;
    return settings;
}

void TMailerDlog::updateChoice() {
    const std::string problem = settings().whyNotIntelligentMail();
    barcodeChoice->item(1)->setEnabled(problem.empty());
    if (!problem.empty() && barcodeChoice->itemIndex() == 1) barcodeChoice->setItemIndex(0);
    const std::string serial = SerialProblem(settings());
    reason->setText(QString::fromStdString(!problem.empty() ? problem : serial));

    const std::string trayProblem = TrayLabelsProblem(settings());
    trayLabelChoice->item(1)->setEnabled(trayProblem.empty());
    if (!trayProblem.empty() && trayLabelChoice->itemIndex() == 1) trayLabelChoice->setItemIndex(0);
    trayReason->setText(QString::fromStdString(trayProblem));
}

void TMailerDlog::okClick() {
    const MailerSettings chosen = settings();
    // A file run or an envelope would refuse these, so they are not stored.
    std::string problem = SerialProblem(chosen);
    if (problem.empty() && chosen.intelligentMail()) problem = chosen.whyNotIntelligentMail();
    if (!problem.empty()) {
        reason->setText(QString::fromStdString(problem));
        return;
    }
    accept();
}

bool EditMailerSettings(TMailerDlog& dialog, const std::filesystem::path& folder) {
    dialog.setSettings(LoadMailerSettings(folder));
    if (dialog.exec() != QDialog::Accepted) return false;
    SaveMailerSettings(folder, dialog.settings());
    return true;
}

}  // namespace marrowby

#include "single/TsingleDlog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShowEvent>
#include <QValidator>

#include "engine/BarcodeEngine.h"
#include "engine/MarrowbyError.h"
#include "platform/Printer.h"
#include "platform/Prompter.h"
#include "single/EnvelopeBarcode.h"
#include "single/EnvelopeImb.h"
#include "single/SingleBarcode.h"
#include "single/SingleIntelligentMail.h"

namespace marrowby {

namespace {

// Where the bars stand on the dialog, in client pixels: bar i at x = 190 + 3i, all on
// the baseline row 200, full bars 9 rows tall and half bars 4.
const QRect BarArea(QPoint(189, 189), QPoint(400, 201));
constexpr int FirstBarX = 190;
constexpr int BarPitch = 3;
constexpr int BaselineY = 200;
constexpr int FullBarRows = 9;
constexpr int HalfBarRows = 4;
// Intelligent Mail bars on the same rows: ascenders from the top row, descenders from
// the baseline, trackers the three rows in the middle.
constexpr int TopY = BaselineY - FullBarRows + 1;
constexpr int ExtendedRows = 6;
constexpr int TrackerRows = 3;

// The rows a bar covers, from the top.
std::pair<int, int> BarRows(char bar) {
    switch (bar) {
        case 'L':
        case 'F':
            return {TopY, FullBarRows};
        case 'S':
            return {BaselineY - HalfBarRows + 1, HalfBarRows};
        case 'A':
            return {TopY, ExtendedRows};
        case 'D':
            return {BaselineY - ExtendedRows + 1, ExtendedRows};
        default:
            return {TopY + ExtendedRows - TrackerRows, TrackerRows};
    }
}

constexpr char NoteText[] =
    "Click \"Print Code\" to print the barcode in the bottom right corner of an envelope or "
    "page. USPS rules require the barcode to be within 1/4 inch of the bottom of the "
    "envelope. You may need to set your printer options to \"maximum printing area\" to "
    "get it that close to the edge.";

// Turns every letter into upper case as it is typed or pasted.
class UpperCase : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

template <typename Control>
Control* Place(Control* control, const char* name, QRect geometry) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QRect geometry) {
    return Place(new QLabel(text, parent), name, geometry);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect geometry) {
    return Place(new QLineEdit(parent), name, geometry);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, QRect geometry) {
    QPushButton* button = Place(new QPushButton(text, parent), name, geometry);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TsingleDlog::TsingleDlog(const BarcodeEngine& engine, Printer& printer, Prompter& prompter,
                         QWidget* parent)
    : QDialog(parent), engine_(engine), printer_(printer), prompter_(prompter) {
    setObjectName("singleDlog");
    setWindowTitle("Create One Barcode At A Time");
    setFixedSize(435, 358);

    StreetLabel = MakeLabel(this, "StreetLabel",
                            "Enter address or two-digit delivery point:", QRect(24, 14, 387, 16));
    Street = MakeEdit(this, "Street", QRect(24, 32, 387, 22));
    Street->setValidator(new UpperCase(Street));
    ZipLabel = MakeLabel(this, "ZipLabel", "Enter nine-digit zip code:", QRect(24, 68, 387, 16));
    Zip = MakeEdit(this, "Zip", QRect(24, 86, 60, 22));
    Zip->setMaxLength(5);
    DashLabel = MakeLabel(this, "DashLabel", "-", QRect(90, 88, 8, 16));
    Zip4 = MakeEdit(this, "Zip4", QRect(102, 86, 50, 22));
    Zip4->setMaxLength(4);
    highriselabel =
        MakeLabel(this, "highriselabel",
                  "Check if considered a highrise by the USPS:", QRect(24, 126, 300, 16));
    highrise = Place(new QCheckBox(this), "highrise", QRect(330, 125, 20, 18));
    SequenceLabel =
        MakeLabel(this, "SequenceLabel", "Delivery point barcode digits:", QRect(24, 166, 178, 16));
    Barcode = MakeLabel(this, "Barcode", "", QRect(207, 166, 162, 16));
    barcodelabel =
        MakeLabel(this, "barcodelabel", "Delivery point barcode:", QRect(24, 187, 160, 16));
    NoCodeReason = MakeLabel(this, "NoCodeReason", "", QRect(189, 187, 222, 16));
    NoCodeReason->setStyleSheet("color: #a00000;");

    Print = MakeButton(this, "Print", "Print Code", QRect(24, 218, 88, 27));
    Print->setDefault(true);
    Print->setEnabled(false);
    Preview = MakeButton(this, "Preview", "Preview", QRect(118, 218, 88, 27));
    Preview->setEnabled(false);
    Clear = MakeButton(this, "Clear", "Clear", QRect(229, 218, 88, 27));
    Close = MakeButton(this, "Close", "Close", QRect(323, 218, 88, 27));

    Memo1 = Place(new QPlainTextEdit(NoteText, this), "Memo1", QRect(24, 258, 387, 88));
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->viewport()->setAutoFillBackground(false);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A note to read, not a field: Tab goes from Close back to the address.
    Memo1->setFocusPolicy(Qt::NoFocus);

    connect(Street, &QLineEdit::textChanged, this, &TsingleDlog::StreetChange);
    connect(Zip, &QLineEdit::textChanged, this, &TsingleDlog::ZipChange);
    connect(Zip4, &QLineEdit::textChanged, this, &TsingleDlog::Zip4Change);
    connect(highrise, &QCheckBox::toggled, this, &TsingleDlog::highriseClick);
    connect(Clear, &QPushButton::clicked, this, &TsingleDlog::ClearClick);
    connect(Print, &QPushButton::clicked, this, &TsingleDlog::PrintClick);
    connect(Preview, &QPushButton::clicked, this, &TsingleDlog::PreviewClick);
    // Escape rejects the dialog too, so "Close" is its cancel button.
    connect(Close, &QPushButton::clicked, this, &QDialog::reject);
}

TsingleDlog::~TsingleDlog() = default;

void TsingleDlog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormActivate();
}

void TsingleDlog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Painted from the current pattern every time, so the bars survive being covered.
    QPainter painter(this);
    painter.fillRect(BarArea, palette().color(QPalette::Window));
    for (std::size_t i = 0; i < barPattern_.size(); ++i) {
        const auto [top, rows] = BarRows(barPattern_[i]);
        const int x = FirstBarX + BarPitch * static_cast<int>(i);
        painter.fillRect(QRect(x, top, 1, rows), Qt::black);
    }
}

void TsingleDlog::loadMailerSettings() {
    mailer_ = MailerSettings{};
    if (mailerFolder_.empty()) return;
    try {
        mailer_ = LoadMailerSettings(mailerFolder_);
    } catch (const MarrowbyError& error) {
        showError(error.what());
    }
}

void TsingleDlog::FormActivate() {
    loadMailerSettings();
    typingError_.clear();
    Street->clear();
    Zip->clear();
    Zip4->clear();
    highrise->setChecked(false);
    Street->setFocus();
}

void TsingleDlog::StreetChange() { CreateCode(); }

void TsingleDlog::ZipChange() { CreateCode(); }

void TsingleDlog::Zip4Change() { CreateCode(); }

void TsingleDlog::highriseClick() { CreateCode(); }

// Emptying the inputs recomputes through their change handlers, which erases the bars.
void TsingleDlog::ClearClick() { FormActivate(); }

void TsingleDlog::PrintClick() {
    try {
        printCode();
    } catch (const MarrowbyError& error) {
        showError(error.what());
    }
}

void TsingleDlog::PreviewClick() {
    try {
        if (!mailer_.intelligentMail()) {
            PreviewThenPrint(printer_, EnvelopePrintout(barPattern_));
        } else if (printer_.preview(ImbEnvelopePrintout(
                       [this] { return NextIntelligentMailBars(mailer_, routing_); }))) {
            printIntelligentMail();
        }
    } catch (const MarrowbyError& error) {
        showError(error.what());
    }
}

// Runs in the inputs' change handlers, which no exception may leave: an error (the
// preferences could not be read) is shown once and the barcode stays empty.
void TsingleDlog::CreateCode() {
    const SingleAddress address{Street->text().toStdString(), Zip->text().toStdString(),
                                Zip4->text().toStdString(), highrise->isChecked()};
    std::string text;
    try {
        text = SingleBarcodeText(engine_, address);
        typingError_.clear();
    } catch (const MarrowbyError& error) {
        if (typingError_ != error.what()) {
            typingError_ = error.what();
            showError(typingError_);
        }
    }
    barPattern_ = DrawnBarPattern(text);
    Barcode->setText(QString::fromStdString(text));
    if (mailer_.intelligentMail() && !text.empty()) {
        // Shown with the serial the next print will use; a reason it cannot be made
        // comes up when printing.
        routing_ = engine_.BarcodeDigits(text);
        Barcode->setText(QString::fromStdString(routing_));
        try {
            barPattern_ = NextIntelligentMailBars(mailer_, routing_);
        } catch (const MarrowbyError&) {
            barPattern_.clear();
        }
    }
    NoCodeReason->setText(QString::fromStdString(text.empty() ? NoBarcodeReason(address) : ""));
    Print->setEnabled(!text.empty());
    Preview->setEnabled(!text.empty());
    update(BarArea);
}

void TsingleDlog::printCode() {
    if (mailer_.intelligentMail()) {
        printIntelligentMail();
    } else {
        PrintCopies(printer_, EnvelopePrintout(barPattern_));
    }
}

void TsingleDlog::printIntelligentMail() {
    // Every copy takes the next serial before its job starts, so that a serial is never
    // printed twice and no job starts without one; the dialog then shows the next.
    auto showNext = qScopeGuard([this] { showNextSerial(); });
    std::string bars;
    const ImbEnvelopePrintout printout(
        [&bars] { return bars; },
        [&] { bars = IssueIntelligentMailBars(mailerFolder_, routing_); });
    if (!PrintCopies(printer_, printout)) showNext.dismiss();
}

void TsingleDlog::showNextSerial() {
    loadMailerSettings();
    CreateCode();
}

void TsingleDlog::showError(const std::string& text) {
    prompter_.message(MessageIcon::Error, MessageBeep::None, text, MessageButton::Ok);
}

}  // namespace marrowby

#include "tags/TLabelFontsDlg.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "tags/TagFonts.h"

namespace marrowby {

namespace {

const char kHelp[] =
    "HELP FOR SETTING TAG FONTS\n"
    "\n"
    "Postal regulations set the size and style of the printing on every line of a barcoded "
    "tray or sack tag. Marrowby comes set up with a font and sizes chosen to meet them: "
    "Arial, or a font of the same measurements where Arial is not installed.\n"
    "\n"
    "A tray tag uses three sizes: one for the text above the barcode, one for the ZIP code "
    "in the upper right corner, and one for the line below the barcode.\n"
    "\n"
    "A sack tag uses two sizes: one for the text just to the right of the barcode, and one "
    "for the ZIP code next to the right edge of the tag.\n"
    "\n"
    "Please leave the font and the sizes as they are unless the maker of Marrowby or the "
    "postal authorities tell you to change them. Tags that do not meet the requirements "
    "can cause a whole mailing to be turned away.";

// The size boxes in the order they are checked, with the words a warning names them by.
struct SizeBox {
    QLineEdit* TLabelFontsDlg::*edit;
    const char* name;
};
constexpr std::array<SizeBox, 5> kSizeBoxes = {{
    {&TLabelFontsDlg::trayleftfont, "Tray Label, text above the barcode"},
    {&TLabelFontsDlg::trayrightfont, "Tray Label, ZIP code in the upper right corner"},
    {&TLabelFontsDlg::traybtmfont, "Tray Label, text below the barcode"},
    {&TLabelFontsDlg::sackleftfont, "Sack Label, text right of the barcode"},
    {&TLabelFontsDlg::sackrightfont, "Sack Label, ZIP code at the right edge"},
}};

std::string sizeWarning(const char* box) {
    return "Each font size must be a whole number of points from " +
           std::to_string(kSmallestFontSize) + " to " + std::to_string(kLargestFontSize) +
           ". Please correct the size for " + box + ".";
}

// A few vertical strokes of varying weight that stand for the barcode in the sketches.
class BarSketch : public QWidget {
  public:
    explicit BarSketch(QWidget* parent) : QWidget(parent) { setFixedSize(96, 28); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        int x = 0;
        for (const int weight : {1, 1, 3, 1, 1, 3, 3, 1, 1, 3, 1, 3, 1, 1, 3, 1, 1, 3}) {
            if (x + weight > width()) break;
            painter.fillRect(x, 0, weight, height(), palette().windowText());
            x += weight + 2;
        }
    }
};

QLineEdit* sizeEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFixedWidth(44);
    return edit;
}

// The installed families, plus the saved name when the font system prints it with a
// metric-compatible family of another name (Arial as Liberation Sans): so OK keeps a saved
// Arial instead of switching the tags to whatever font happens to sort first.
QStringList fontChoices(const QString& savedFont) {
    QStringList families = QFontDatabase::families();
    if (!savedFont.isEmpty() && !families.contains(savedFont)) {
        const QString unknown = QFontInfo(QFont("\x01 no such family \x01")).family();
        if (QFontInfo(QFont(savedFont)).family() != unknown) families.append(savedFont);
    }
    std::stable_sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return families;
}

}  // namespace

TLabelFontsDlg::TLabelFontsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("TLabelFontsDlg");
    setWindowTitle("Label Fonts");

    auto* heading = new QLabel("Set Fonts for Tags", this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    auto* note =
        new QLabel("These settings determine how the tray and sack tags are printed.", this);
    note->setWordWrap(true);

    FontSelect = new QComboBox(this);
    FontSelect->setObjectName("FontSelect");
    FontSelect->setEditable(false);
    FontSelect->setMinimumWidth(220);

    TrayLabel = new QGroupBox("Tray Label:", this);
    TrayLabel->setObjectName("TrayLabel");
    trayleftfont = sizeEdit("trayleftfont", TrayLabel);
    trayrightfont = sizeEdit("trayrightfont", TrayLabel);
    traybtmfont = sizeEdit("traybtmfont", TrayLabel);
    auto* trayLayout = new QGridLayout(TrayLabel);
    trayLayout->addWidget(trayleftfont, 0, 0, Qt::AlignLeft);
    trayLayout->addWidget(trayrightfont, 0, 2, Qt::AlignRight);
    trayLayout->addWidget(new BarSketch(TrayLabel), 1, 0, 1, 2, Qt::AlignLeft);
    trayLayout->addWidget(traybtmfont, 2, 1, Qt::AlignCenter);
    trayLayout->setColumnStretch(1, 1);

    SackLabel = new QGroupBox("Sack Label:", this);
    SackLabel->setObjectName("SackLabel");
    sackleftfont = sizeEdit("sackleftfont", SackLabel);
    sackrightfont = sizeEdit("sackrightfont", SackLabel);
    auto* sackLayout = new QHBoxLayout(SackLabel);
    sackLayout->addWidget(new BarSketch(SackLabel));
    sackLayout->addWidget(sackleftfont);
    sackLayout->addStretch(1);
    sackLayout->addWidget(sackrightfont);

    HelpText = new QPlainTextEdit(this);
    HelpText->setObjectName("HelpText");
    HelpText->setReadOnly(true);
    HelpText->setPlainText(kHelp);
    HelpText->setFixedWidth(260);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* settings = new QVBoxLayout;
    settings->addWidget(heading);
    settings->addWidget(note);
    settings->addSpacing(8);
    settings->addWidget(new QLabel("Select a font:", this));
    settings->addWidget(FontSelect);
    settings->addSpacing(8);
    settings->addWidget(new QLabel("Set font sizes:", this));
    settings->addWidget(TrayLabel);
    settings->addWidget(SackLabel);
    settings->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* columns = new QHBoxLayout;
    columns->addLayout(settings);
    columns->addWidget(HelpText);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TLabelFontsDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && helpRequested) {
        helpRequested(HelpContext::TagFonts);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool SetTagFonts(TLabelFontsDlg& dialog, LineList& tagFonts,
                 const std::filesystem::path& programFolder, Prompter& prompter) {
    auto line = [&tagFonts](int index) {
        return static_cast<size_t>(index) < tagFonts.size()
                   ? QString::fromStdString(tagFonts[index])
                   : QString();
    };

    dialog.FontSelect->clear();
    dialog.FontSelect->addItems(fontChoices(line(kFontNameLine)));
    dialog.FontSelect->setCurrentIndex(0);
    const int savedFont = dialog.FontSelect->findText(line(kFontNameLine));
    if (savedFont >= 0) dialog.FontSelect->setCurrentIndex(savedFont);
    for (size_t i = 0; i < kSizeBoxes.size(); ++i)
        (dialog.*kSizeBoxes[i].edit)->setText(line(kTrayUpperSizeLine + i));
    dialog.OKBtn->setFocus();

    while (dialog.exec() == QDialog::Accepted) {
        const auto wrong =
            std::find_if(kSizeBoxes.begin(), kSizeBoxes.end(), [&](const SizeBox& box) {
                return !FontSizeOf((dialog.*box.edit)->text().toStdString());
            });
        if (wrong != kSizeBoxes.end()) {
            prompter.message(MessageIcon::Warning, MessageBeep::Exclamation,
                             sizeWarning(wrong->name), MessageButton::Ok);
            // The dialog comes back with the wrong size selected, ready to be typed over.
            (dialog.*wrong->edit)->setFocus();
            (dialog.*wrong->edit)->selectAll();
            continue;
        }
        // A short list is completed so the font and all five sizes are stored.
        LineList updated = tagFonts;
        if (updated.size() < kTagFontLineCount) updated.resize(kTagFontLineCount);
        updated[kFontNameLine] = dialog.FontSelect->currentText().toStdString();
        for (size_t i = 0; i < kSizeBoxes.size(); ++i)
            updated[kTrayUpperSizeLine + i] = (dialog.*kSizeBoxes[i].edit)->text().toStdString();
        WriteLineList(programFolder / TagFontsFileName, updated);
        tagFonts = std::move(updated);
        return true;
    }
    return false;
}

}  // namespace marrowby

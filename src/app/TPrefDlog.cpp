#include "app/TPrefDlog.h"

#include <QShowEvent>
#include <algorithm>

#include "app/Pictures.h"
#include "platform/HelpRequests.h"
#include "platform/Prompter.h"

namespace marrowby {

namespace {
const char* const HelpText =
    "PREFERENCES FOR ADDING BARCODES TO A FILE\n"
    "\n"
    "Where should barcodes be saved?\n"
    "Marrowby can write each barcode into your mailing-list file itself, in the field you "
    "choose for it, or it can leave your file alone and write a separate text file that "
    "holds only the barcodes, one line per record in the order of your list. Most people "
    "will want the barcodes added to their own file.\n"
    "\n"
    "Name of barcodes-only file, if chosen:\n"
    "A separate file of barcodes needs a name. With the first choice Marrowby simply calls "
    "it Barcode.txt and puts it in the folder of your mailing list, asking before it "
    "replaces a Barcode.txt already there. With the second choice "
    "Marrowby asks you for a name and folder when the barcodes are ready to be saved.\n"
    "\n"
    "Frame bar character:\n"
    "Every barcode begins and ends with a single long bar called the frame bar. There is "
    "no key for it on the keyboard, so each barcode font draws a frame bar in place of one "
    "particular character. Type that character here so that Marrowby can put it at both "
    "ends of every barcode it writes.\n"
    "\n"
    "Marrowby's barcode fonts:\n"
    "Marrowby comes with two barcode fonts: Marrowby POSTNET for POSTNET barcodes and "
    "Marrowby Intelligent Mail for Intelligent Mail barcodes. Print both at 16 pt, the size "
    "at which their bars meet the Postal Service's measurements. Marrowby POSTNET draws the "
    "frame bar for the / character. Choose Help, Install Barcode Fonts to add them to your "
    "word processor's font list.";

// Text of the file shown as typed; bytes that are not UTF-8 are shown one per character.
QString ShownText(const std::string& bytes) {
    const QByteArray raw = QByteArray::fromStdString(bytes);
    QString text = QString::fromUtf8(raw);
    if (text.toUtf8() != raw) text = QString::fromLatin1(raw);
    return text;
}
}  // namespace

TPrefDlog::TPrefDlog(HelpRequests& help, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Preferences");
    setFixedSize(491, 383);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Image1 = new QLabel(this);
    Image1->setPixmap(EnvelopeIcon());
    Image1->setGeometry(16, 12, 32, 32);
    Label7 = new QLabel("Marrowby Options", this);
    QFont bold = Label7->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    Label7->setFont(bold);
    Label7->setGeometry(58, 12, 260, 32);

    selectFile =
        new RadioGroup("Where should barcodes be saved?",
                       {"Add them to my file.", "Create an ascii file of barcodes only."}, this);
    selectFile->setGeometry(16, 56, 262, 84);
    FileName = new RadioGroup("Name of barcodes-only file, if chosen:",
                              {"Name the file \"barcode.txt\".", "Ask for a file name."}, this);
    FileName->setGeometry(16, 148, 262, 84);

    Label2 = new QLabel(
        "What character does your barcode font use as a \"frame bar\" at the beginning and "
        "end of each barcode?",
        this);
    Label2->setWordWrap(true);
    Label2->setGeometry(16, 240, 262, 48);
    leftBar = new QLineEdit("/", this);
    leftBar->setMaxLength(1);
    leftBar->setAlignment(Qt::AlignCenter);
    leftBar->setGeometry(16, 294, 32, 26);
    Label1 = new QLabel(
        "(If you are using the barcode font that came with Marrowby, enter the / character.)",
        this);
    Label1->setWordWrap(true);
    Label1->setGeometry(58, 290, 220, 48);

    Memo1 = new QPlainTextEdit(HelpText, this);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setGeometry(292, 56, 183, 270);

    nextBtn = new QPushButton("Next", this);
    nextBtn->setDefault(true);
    nextBtn->setGeometry(292, 340, 88, 28);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setGeometry(387, 340, 88, 28);

    connect(nextBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(selectFile, &RadioGroup::clicked, this, &TPrefDlog::FormActivate);
    AddHelpKey(*this, help, HelpContext::Preferences);
}

void TPrefDlog::setChoices(const PreferenceChoices& choices) {
    selectFile->setItemIndex(choices.saveMode);
    FileName->setItemIndex(choices.fileNaming);
    frameBarBytes_ = choices.frameBar;
    // A longer frame bar written by hand is shown whole rather than cut to one character.
    const QString shown = ShownText(choices.frameBar);
    leftBar->setMaxLength(std::max<int>(1, shown.size()));
    leftBar->setText(shown);
}

PreferenceChoices TPrefDlog::choices() const {
    PreferenceChoices choices;
    choices.saveMode = selectFile->itemIndex();
    choices.fileNaming = FileName->itemIndex();
    choices.frameBar = leftBar->text() == ShownText(frameBarBytes_)
                           ? frameBarBytes_
                           : leftBar->text().toUtf8().toStdString();
    return choices;
}

void TPrefDlog::FormActivate() { FileName->setEnabled(selectFile->itemIndex() > 0); }

void TPrefDlog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
    nextBtn->setFocus();
}

bool Preferences(TPrefDlog& dialog, LineList& preferences, const std::filesystem::path& file,
                 Prompter& prompter) {
    std::vector<std::string> problems;
    dialog.setChoices(ReadChoices(preferences, problems));
    if (!problems.empty()) {
        std::string text;
        for (const std::string& problem : problems) text += problem + ".\n";
        text +=
            "\nThe Preferences dialog shows the first choice instead. Check the choices and "
            "press Next to save them in " +
            file.string() + ".";
        prompter.message(MessageIcon::Warning, MessageBeep::Exclamation, text, MessageButton::Ok);
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    StoreChoices(dialog.choices(), preferences);
    WriteLineList(file, preferences);
    return true;
}

}  // namespace marrowby

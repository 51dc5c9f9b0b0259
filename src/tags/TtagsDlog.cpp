// The tag dialog: ten rows of destination, contents and code, whose contents lists and
// code headings follow the mail type chosen in the mail type dialog.
#include "tags/TtagsDlog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/BoldLabel.h"
#include "tags/TagContents.h"
#include "tags/UpperCaseValidator.h"

namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);

QLineEdit* UpperCaseEdit(const QString& name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setValidator(new UpperCaseValidator(edit));
    return edit;
}

QPushButton* Button(const QString& caption, const QString& name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    // Enter in an edit must not clear, print or close.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TtagsDlog::TtagsDlog(TagSheetPrinter& printer, QWidget* parent)
    : QDialog(parent),
      printer_(printer),
      label3_(new QLabel("Carrier Route Code")),
      Label15_(new QLabel("Processing Code")),
      Label16_(new QLabel("or Scheme Letter")),
      Print_(Button("Print Tags", "Print")),
      Preview_(Button("Preview", "Preview")) {
    setWindowTitle("Tag Information");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Enter information for up to 10 tags:"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Destination and zip"), 0, 1);
    grid->addWidget(new QLabel("(for top line of tag)"), 1, 1);
    grid->addWidget(new QLabel("Contents"), 0, 2);
    grid->addWidget(new QLabel("(will determine 2nd line of tag)"), 1, 2);
    label3_->setObjectName("label3");
    Label15_->setObjectName("Label15");
    Label16_->setObjectName("Label16");
    grid->addWidget(label3_, 0, 3);
    grid->addWidget(Label15_, 1, 3);
    grid->addWidget(Label16_, 1, 3);
    for (int row = 0; row < kRows; ++row) {
        const QString number = QString::number(row + 1);
        dest_[row] = UpperCaseEdit("dest" + number);
        dest_[row]->setMinimumWidth(240);
        connect(dest_[row], &QLineEdit::textChanged, this, &TtagsDlog::dest1Change);
        contents_[row] = new QComboBox;
        contents_[row]->setObjectName("contents" + number);
        contents_[row]->setMinimumWidth(220);
        connect(contents_[row], &QComboBox::currentIndexChanged, this,
                [this, row] { contentsChange(row); });
        second_[row] = UpperCaseEdit("second" + number);
        second_[row]->setMaximumWidth(80);
        setCodeFieldEnabled(row, false);
        grid->addWidget(new QLabel("Tag " + number), row + 2, 0);
        grid->addWidget(dest_[row], row + 2, 1);
        grid->addWidget(contents_[row], row + 2, 2);
        grid->addWidget(second_[row], row + 2, 3, Qt::AlignLeft);
    }
    grid->setColumnMinimumWidth(3, 130);
    layout->addLayout(grid);

    QPushButton* clear = Button("Clear", "Clear");
    connect(clear, &QPushButton::clicked, this, &TtagsDlog::ClearClick);
    connect(Print_, &QPushButton::clicked, this, &TtagsDlog::PrintClick);
    connect(Preview_, &QPushButton::clicked, this, &TtagsDlog::PreviewClick);
    QPushButton* close = Button("Close", "Close");
    connect(close, &QPushButton::clicked, this, &TtagsDlog::CloseClick);
    Print_->setEnabled(false);
    Preview_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(Preview_);
    buttons->addWidget(Print_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void TtagsDlog::setMailType(const MailTypeChoice& choice) { mailType_ = choice; }

std::array<TagEntry, 10> TtagsDlog::entries() const {
    std::array<TagEntry, 10> rows;
    for (int row = 0; row < kRows; ++row) {
        rows[row].destination = dest_[row]->text().toStdString();
        if (contents_[row]->currentIndex() >= 0) {
            rows[row].contents = contents_[row]->currentText().toStdString();
        }
        if (WantsCodeField(mailType_.type, rows[row].contents)) {
            rows[row].code = second_[row]->text().toStdString();
        }
    }
    return rows;
}

// Only an opening activates the dialog: a window restored from the task bar keeps its
// contents choices.
void TtagsDlog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

// A new mail type may offer other contents, so earlier choices are dropped; the typed
// destinations and codes stay.
void TtagsDlog::FormActivate() {
    const MailType type = mailType_.type;
    const CodeHeadings headings = CodeHeadingsOf(type);
    label3_->setVisible(headings.carrierRouteCode);
    Label15_->setVisible(headings.processingCode);
    Label16_->setVisible(headings.schemeLetter);

    QStringList items;
    for (std::string_view item : ContentsGroupOf(type).items) {
        items << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    }
    for (int row = 0; row < kRows; ++row) {
        QComboBox* contents = contents_[row];
        {
            const QSignalBlocker quiet(contents);
            contents->clear();
            contents->addItems(items);
            contents->setMaxVisibleItems(static_cast<int>(items.size()));
            contents->setCurrentIndex(items.size() == 1 ? 0 : -1);
        }
        // A code typed for the previous mail type waits, closed, until contents that take
        // one are chosen; a single item chosen here decides at once.
        if (contents->currentIndex() >= 0) {
            second(row);
        } else {
            setCodeFieldEnabled(row, false);
        }
    }
    printon();
    printer_.reloadFonts();
    dest_[0]->setFocus();
}

void TtagsDlog::contentsChange(int row) {
    second(row);
    printon();
}

void TtagsDlog::dest1Change() { printon(); }

void TtagsDlog::second(int row) {
    const bool wanted = WantsCodeField(mailType_.type, contents_[row]->currentText().toStdString());
    if (!wanted) second_[row]->clear();
    setCodeFieldEnabled(row, wanted);
}

void TtagsDlog::printon() {
    bool any = false;
    for (int row = 0; row < kRows; ++row) {
        any = any || (!dest_[row]->text().isEmpty() && contents_[row]->currentIndex() >= 0);
    }
    Print_->setEnabled(any);
    Preview_->setEnabled(any);
}

void TtagsDlog::ClearClick() {
    for (int row = 0; row < kRows; ++row) {
        const QSignalBlocker quietDest(dest_[row]);
        const QSignalBlocker quietContents(contents_[row]);
        dest_[row]->clear();
        second_[row]->clear();
        contents_[row]->setCurrentIndex(-1);
        setCodeFieldEnabled(row, false);
    }
    printon();
}

void TtagsDlog::CloseClick() {
    ClearClick();
    accept();
}

void TtagsDlog::PrintClick() { printer_.print(sheet()); }

void TtagsDlog::PreviewClick() { printer_.preview(sheet()); }

TagSheet TtagsDlog::sheet() const {
    return BuildTagSheet(entries(), mailType_.type, mailType_.periodicalKind, mailType_.origin);
}

void TtagsDlog::setCodeFieldEnabled(int row, bool enabled) {
    QLineEdit* field = second_[row];
    field->setEnabled(enabled);
    QPalette palette = field->palette();
    const QColor colour = enabled ? QApplication::palette().color(QPalette::Base) : kSilver;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colour);
    }
    field->setPalette(palette);
}

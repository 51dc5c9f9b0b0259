#include "app/HelpViewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The pages are compiled into a static library, whose resources are not registered by
// themselves; Qt's registration must be named outside any namespace.
static void RegisterHelpPages() { Q_INIT_RESOURCE(help); }

namespace marrowby {

namespace {
struct ContextPage {
    int context;
    const char* page;
};

constexpr ContextPage ContextPages[] = {
    {HelpContext::Contents, "contents.html"},
    {HelpContext::OneBarcode, "onebarcode.html"},
    {HelpContext::AddBarcodes, "addbarcodes.html"},
    {HelpContext::Tags, "tags.html"},
    {HelpContext::PrinterSetup, "printersetup.html"},
    {HelpContext::Preferences, "preferences.html"},
    {HelpContext::TagFonts, "tagfonts.html"},
    {HelpContext::Mailer, "mailer.html"},
    {HelpContext::FieldIdentification, "fields.html"},
};

struct Topic {
    const char* words;
    const char* page;
};

// The topic index, in the order it is listed.
constexpr Topic Topics[] = {
    {"About Marrowby", "contents.html"},
    {"Access databases", "addbarcodes.html#kinds"},
    {"Add Barcodes to a File", "addbarcodes.html"},
    {"Address field", "fields.html"},
    {"Apartment and suite numbers", "onebarcode.html#highrise"},
    {"Barcode field", "fields.html"},
    {"Barcode font", "preferences.html#framebar"},
    {"Barcode fonts, installing", "wordprocessor.html#install"},
    {"Barcode.txt", "preferences.html#naming"},
    {"Barcodes-only file", "preferences.html#where"},
    {"Check digit", "onebarcode.html#reading"},
    {"Command line", "addbarcodes.html#commandline"},
    {"Comma-delimited files", "addbarcodes.html#kinds"},
    {"Create and Print Tags", "tags.html"},
    {"dBase files", "addbarcodes.html#kinds"},
    {"Delivery point", "onebarcode.html#deliverypoint"},
    {"Envelopes, printing a barcode on", "onebarcode.html#printing"},
    {"Exporting a list as text", "exporting.html"},
    {"Field identification", "fields.html"},
    {"Fonts for tags", "tagfonts.html"},
    {"Frame bar", "preferences.html#framebar"},
    {"Highrise addresses", "onebarcode.html#highrise"},
    {"Intelligent Mail barcodes", "intelligentmail.html"},
    {"Intelligent Mail tray labels", "traylabels.html"},
    {"Label type", "traylabels.html#settings"},
    {"Mail merge", "wordprocessor.html#merge"},
    {"Mail types", "tags.html#mailtype"},
    {"Mailer ID", "mailer.html#mailerid"},
    {"Mailer Settings", "mailer.html"},
    {"Merge files", "addbarcodes.html#kinds"},
    {"One Barcode at a Time", "onebarcode.html"},
    {"Preferences", "preferences.html"},
    {"POSTNET", "intelligentmail.html#postnet"},
    {"Printer Setup", "printersetup.html"},
    {"Processing code", "traylabels.html#settings"},
    {"Sack tags", "tags.html"},
    {"Serial numbers", "mailer.html#serial"},
    {"Serial numbers of tray labels", "traylabels.html#serial"},
    {"Service type identifier", "mailer.html#stid"},
    {"Set Tag Fonts", "tagfonts.html"},
    {"Tab-delimited files", "addbarcodes.html#kinds"},
    {"Tray tags", "tags.html"},
    {"Word processor, printing barcodes from", "wordprocessor.html"},
    {"ZIP+4 code", "onebarcode.html#zip"},
};

QUrl PageUrl(const char* page) { return QUrl(QString("qrc:/help/") + page); }
}  // namespace

QString HelpPage(int context) {
    for (const ContextPage& entry : ContextPages) {
        if (entry.context == context) return PageUrl(entry.page).toString();
    }
    return PageUrl(ContextPages[0].page).toString();
}

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window) {
    RegisterHelpPages();
    setWindowTitle("Marrowby Help");
    resize(560, 480);

    auto* contentsButton = new QPushButton("Contents", this);
    auto* indexButton = new QPushButton("Index", this);
    auto* backButton = new QPushButton("Back", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton);
    buttons->addWidget(indexButton);
    buttons->addWidget(backButton);
    buttons->addStretch();

    pages = new QTextBrowser(this);
    pages->setOpenLinks(true);

    auto* indexPage = new QWidget(this);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel("Type the first letters of the word you are looking for:"));
    search = new QLineEdit(indexPage);
    indexLayout->addWidget(search);
    topics = new QListWidget(indexPage);
    for (const Topic& topic : Topics) {
        auto* item = new QListWidgetItem(topic.words, topics);
        item->setData(Qt::UserRole, PageUrl(topic.page));
    }
    indexLayout->addWidget(topics);
    auto* showButton = new QPushButton("Display", indexPage);
    indexLayout->addWidget(showButton, 0, Qt::AlignRight);

    stack_ = new QStackedWidget(this);
    stack_->addWidget(pages);
    stack_->addWidget(indexPage);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(stack_);

    connect(contentsButton, &QPushButton::clicked, this,
            [this] { showContext(HelpContext::Contents); });
    connect(indexButton, &QPushButton::clicked, this, &HelpViewer::showIndex);
    connect(backButton, &QPushButton::clicked, this, [this] {
        stack_->setCurrentWidget(pages);
        pages->backward();
    });
    connect(search, &QLineEdit::textEdited, this, &HelpViewer::searchEdited);
    connect(search, &QLineEdit::returnPressed, this, &HelpViewer::openTopic);
    connect(topics, &QListWidget::itemActivated, this, &HelpViewer::openTopic);
    connect(showButton, &QPushButton::clicked, this, &HelpViewer::openTopic);
}

void HelpViewer::showPage(const QUrl& page) {
    pages->setSource(page);
    stack_->setCurrentWidget(pages);
    present();
}

void HelpViewer::present() {
    // A modal dialog takes every click and key away from other windows. Help asked for
    // while one is open is shown modal above it: usable at once, and the dialog stays
    // open with what was typed into it.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted =
        modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    show();
    raise();
    activateWindow();
}

void HelpViewer::showContext(int context) { showPage(QUrl(HelpPage(context))); }

void HelpViewer::showIndex() {
    search->clear();
    searchEdited({});
    stack_->setCurrentIndex(1);
    present();
    search->setFocus();
}

void HelpViewer::quit() { close(); }

void HelpViewer::searchEdited(const QString& text) {
    // Topics that contain the text stay listed; the first that begins with it is chosen.
    QListWidgetItem* first = nullptr;
    QListWidgetItem* starting = nullptr;
    for (int i = 0; i < topics->count(); ++i) {
        QListWidgetItem* item = topics->item(i);
        const bool shown = item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first == nullptr) first = item;
        if (shown && starting == nullptr && item->text().startsWith(text, Qt::CaseInsensitive)) {
            starting = item;
        }
    }
    topics->setCurrentItem(starting != nullptr ? starting : first);
}

void HelpViewer::openTopic() {
    QListWidgetItem* item = topics->currentItem();
    if (item == nullptr || item->isHidden()) return;
    showPage(item->data(Qt::UserRole).toUrl());
}

}  // namespace marrowby

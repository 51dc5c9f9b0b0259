#include "mailinglist/forms/TVerifyDlog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/forms/DisplayText.h"
#include "platform/HelpRequests.h"

namespace {

// Room beside an item's text in a drop-down: the item's padding and the list's frame.
constexpr int kItemMargins = 24;
// The design's size, and its narrowest lists on the left and on the right.
constexpr int kDesignWidth = 560;
constexpr int kDesignHeight = 584;
constexpr int kNarrowestLeftList = 140;
constexpr int kNarrowestRightList = 110;
// Lists grow to fit their values up to this width; longer values drop down whole.
constexpr int kWidestList = 420;

QLabel* MakeLabel(QWidget* parent, const char* text, int x, int y, int w, int h = 18) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QComboBox* MakeList(QWidget* parent, int x, int y, int w) {
    auto* list = new QComboBox(parent);
    list->setGeometry(x, y, w, 24);
    return list;
}

QLabel* WrappedLabel(QWidget* parent, const char* text, int x, int y, int w, int h) {
    QLabel* label = MakeLabel(parent, text, x, y, w, h);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QFrame* Bevel(QWidget* parent, int x, int y, int w, int h) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(x, y, w, h);
    return frame;
}

// A list shows a stored name up to its first NUL byte.
QString ItemText(const std::string& field) {
    return DisplayText(std::string_view(field).substr(0, field.find('\0')));
}

}  // namespace

TVerifyDlog::TVerifyDlog(QWidget* parent) : QDialog(parent) {
    setFixedSize(kDesignWidth, kDesignHeight);
    Label7 = MakeLabel(this, "Field Identification for this File", 10, 8, 540, 20);
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);
    Label1 = MakeLabel(this, "Marrowby has identified this file as:", 10, 34, 230);
    fileTypeLabel = MakeLabel(this, "", 240, 34, 190);
    NewRecordsLabel = MakeLabel(this, "", 430, 34, 120);
    NewRecordsLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Memo2 = new QPlainTextEdit(this);
    Memo2->setGeometry(10, 58, 540, 84);
    Memo2->setReadOnly(true);
    Memo2->setFrameStyle(QFrame::NoFrame);
    Memo2->setFocusPolicy(Qt::NoFocus);
    Memo2->setPlainText(
        "Marrowby has attempted to identify several fields in \n"
        "your data file, as shown below.  If it has done so correctly, click \n"
        "Finish.  Otherwise, use the drop-down lists below to match the \n"
        "field names with the correct fields in your data base. To clear any \n"
        "field, double-click on the NAME of the field (not in the box itself.)");

    Label13 = MakeLabel(this, "Identify either:", 10, 150, 140);
    Label5 = MakeLabel(this, "Address Field:", 20, 176, 130);
    address = MakeList(this, 150, 173, 160);
    Label12 = MakeLabel(this, "& Highrise Field:", 320, 176, 120);
    highrise = MakeList(this, 440, 173, 110);
    clearHighrise = MakeLabel(this, "(optional)", 440, 199, 110);
    Label8 = MakeLabel(this, "or:", 10, 206, 60);
    Label15 = MakeLabel(this, "Delivery Pt. Field", 20, 232, 130);
    dp = MakeList(this, 150, 229, 160);
    Label6 = WrappedLabel(this,
                          "If delivery point and address fields are both identified, the "
                          "address will be used whenever the delivery point field is blank.",
                          320, 220, 230, 66);

    Label16 = MakeLabel(this, "Identify either:", 10, 280, 140);
    Label9 = MakeLabel(this, "9-Digit Zip Code Field:", 20, 306, 150);
    zip9 = MakeList(this, 170, 303, 140);
    Label14 = MakeLabel(this, "or:", 10, 334, 60);
    Label11 = MakeLabel(this, "5-Digit Zip Field:", 20, 360, 150);
    zip5 = MakeList(this, 170, 357, 140);
    Label10 = MakeLabel(this, "& +4 Digits Field:", 320, 360, 120);
    zip4 = MakeList(this, 440, 357, 110);

    BarcodeBevelTall = Bevel(this, 10, 394, 300, 84);
    barcodebevelshort = Bevel(this, 10, 394, 300, 44);
    barcodeLabel = MakeLabel(this, "Barcode Field:", 20, 406, 120);
    barcode = MakeList(this, 140, 403, 160);
    barcodeBlank = WrappedLabel(this, "If left blank, a new field will be created for barcodes.",
                                20, 436, 280, 36);

    Label3 = MakeLabel(this, "Record Viewer", 320, 394, 230);
    Label3->setFont(bold);
    Label2 = WrappedLabel(this,
                          "The fields shown in the drop-down lists are from the first record in "
                          "your file. Use these buttons to view additional data.",
                          320, 414, 230, 66);
    prevbtn = new QPushButton("prev", this);
    prevbtn->setGeometry(320, 484, 60, 26);
    prevbtn->setEnabled(false);
    prevbtn->setAutoDefault(false);
    nextbtn = new QPushButton("next", this);
    nextbtn->setGeometry(390, 484, 60, 26);
    nextbtn->setAutoDefault(false);
    Label4 = MakeLabel(this, "Record Selected:", 320, 518, 110);
    CurrentRecordLabel = MakeLabel(this, "", 430, 518, 120);

    OKBtn = new QPushButton("Finish", this);
    OKBtn->setGeometry(370, 548, 85, 28);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setGeometry(465, 548, 85, 28);
    CancelBtn->setAutoDefault(false);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(prevbtn, &QPushButton::clicked, this, &TVerifyDlog::prevbtnClick);
    connect(nextbtn, &QPushButton::clicked, this, &TVerifyDlog::nextbtnClick);
    for (int role = 0; role < RoleCount; ++role) {
        QComboBox* box = list(Role(role));
        connect(box, &QComboBox::activated, this, [this, role] { listChange(Role(role)); });
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { showChoice(box); });
    }
    for (QLabel* label :
         {Label5, Label12, clearHighrise, Label15, Label9, Label11, Label10, barcodeLabel}) {
        label->installEventFilter(this);
    }

    const auto place = [this](Place where, std::initializer_list<QWidget*> widgets) {
        for (QWidget* widget : widgets) placements_.push_back({widget, widget->geometry(), where});
    };
    place(Place::LeftList, {address, dp, zip9, zip5, barcode, BarcodeBevelTall, barcodebevelshort});
    place(Place::RightColumn,
          {Label12, Label6, Label10, Label3, Label2, prevbtn, nextbtn, Label4, CurrentRecordLabel});
    place(Place::RightList, {highrise, clearHighrise, zip4});
    place(Place::RightEdge, {NewRecordsLabel, OKBtn, CancelBtn});
    place(Place::FullWidth, {Label7, Memo2});
}

const std::array<int FieldRoles::*, TVerifyDlog::RoleCount> TVerifyDlog::kRoleOf = {
    &FieldRoles::address,  &FieldRoles::zip5,    &FieldRoles::zip4,         &FieldRoles::zip9,
    &FieldRoles::highrise, &FieldRoles::barcode, &FieldRoles::deliveryPoint};

QComboBox* TVerifyDlog::list(Role role) const {
    QComboBox* const lists[RoleCount] = {address, zip5, zip4, zip9, highrise, barcode, dp};
    return lists[role];
}

bool TVerifyDlog::identifyFields(FieldRoles& roles, MailingList& list, bool addMode) {
    readError_.clear();
    FormActivate(list, roles, addMode);
    const int result = exec();
    roles = FormClose();
    if (!readError_.empty()) throw MarrowbyError(readError_);
    return result == QDialog::Accepted;
}

void TVerifyDlog::FormActivate(MailingList& mailingList, const FieldRoles& roles, bool addMode) {
    list_ = &mailingList;
    listWidth_ = 0;
    prevbtn->setEnabled(false);
    recordCount_ = mailingList.recordCount();
    fieldCount_ = mailingList.fieldCount();
    for (int role = 0; role < RoleCount; ++role) positions_[role] = roles.*kRoleOf[role];
    addMode_ = addMode;

    setWindowTitle(DisplayText(mailingList.fileName()));
    const std::string kind = mailingList.kind();
    fileTypeLabel->setText("Format: " + QString::fromStdString(kind));
    NewRecordsLabel->setText(QString::number(recordCount_) + " Records");

    // Lists without field names show their first record instead.
    fields_ = mailingList.viewerFieldNames();
    hasNames_ = !fields_.empty();
    if (hasNames_) {
        currentRecord_ = 0;
    } else {
        currentRecord_ = 1;
        fields_ = mailingList.viewerRecord(1);
    }
    showRecordLabel();
    loadLists();

    // The barcode list offers its choice only when barcodes go into the list itself.
    const bool textKind = IsTextKind(kind);
    barcode->setVisible(addMode);
    barcodeLabel->setVisible(addMode);
    barcodeBlank->setVisible(addMode && textKind);
    BarcodeBevelTall->setVisible(addMode && textKind);
    barcodebevelshort->setVisible(addMode && !textKind);
    nextbtn->setEnabled(currentRecord_ < recordCount_);
    OKBtn->setFocus();
}

FieldRoles TVerifyDlog::FormClose() {
    FieldRoles roles;
    for (int role = 0; role < RoleCount; ++role) roles.*kRoleOf[role] = positions_[role];
    fields_.clear();
    list_ = nullptr;
    return roles;
}

void TVerifyDlog::loadLists() {
    QStringList items;
    int widest = 0;
    for (const std::string& field : fields_) {
        items << ItemText(field);
        widest = std::max(widest, address->fontMetrics().horizontalAdvance(items.back()));
    }
    fitListsToValues(widest);
    for (int role = 0; role < RoleCount; ++role) {
        QComboBox* box = list(Role(role));
        box->clear();
        box->addItems(items);
        box->setMaxVisibleItems(std::max(fieldCount_, 1));
        // A value longer than the widest list still drops down whole, and every value
        // comes as a tool tip.
        for (int i = 0; i < box->count(); ++i) box->setItemData(i, items[i], Qt::ToolTipRole);
        box->view()->setMinimumWidth(widest + kItemMargins +
                                     box->view()->verticalScrollBar()->sizeHint().width());
        const bool shown = role != Barcode || addMode_;
        box->setCurrentIndex(shown && positions_[role] < box->count() ? positions_[role] : -1);
        showChoice(box);
    }
}

void TVerifyDlog::showChoice(QComboBox* box) { box->setToolTip(box->currentText()); }

// Every list as wide as the longest value shown (text width `widest`), never narrower than
// designed; the right-hand column and the form make room. Within one showing the lists only
// grow, so that the form does not jump while the user pages through the records.
void TVerifyDlog::fitListsToValues(int widest) {
    QStyleOptionComboBox option;
    option.initFrom(address);
    const QSize content(widest, address->fontMetrics().height());
    const int needed =
        style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, address).width();
    listWidth_ = std::max(listWidth_, std::min(needed, kWidestList));
    const int left = std::max(0, listWidth_ - kNarrowestLeftList);
    const int right = std::max(0, listWidth_ - kNarrowestRightList);
    for (const auto& [widget, design, place] : placements_) {
        QRect moved = design;
        switch (place) {
            case Place::LeftList:
                moved.setWidth(design.width() + left);
                break;
            case Place::RightColumn:
                moved.translate(left, 0);
                break;
            case Place::RightList:
                moved.translate(left, 0);
                moved.setWidth(design.width() + right);
                break;
            case Place::RightEdge:
                moved.translate(left + right, 0);
                break;
            case Place::FullWidth:
                moved.setWidth(design.width() + left + right);
                break;
        }
        widget->setGeometry(moved);
    }
    setFixedSize(kDesignWidth + left + right, kDesignHeight);
}

void TVerifyDlog::showRecordLabel() {
    CurrentRecordLabel->setText(currentRecord_ == 0 ? QString("Field List")
                                                    : "Record " + QString::number(currentRecord_));
}

void TVerifyDlog::viewRecord(const std::function<void()>& load) {
    try {
        load();
    } catch (const std::exception& error) {
        readError_ = error.what();
        reject();
    }
}

void TVerifyDlog::nextbtnClick() {
    viewRecord([this] {
        if (currentRecord_ < recordCount_) fields_ = list_->viewerRecord(currentRecord_ + 1);
    });
    loadLists();
    ++currentRecord_;
    showRecordLabel();
    if (currentRecord_ >= recordCount_) nextbtn->setEnabled(false);
    prevbtn->setEnabled(true);
}

void TVerifyDlog::prevbtnClick() {
    viewRecord([this] {
        if (currentRecord_ > 1) {
            fields_ = list_->viewerRecord(currentRecord_ - 1);
        } else if (currentRecord_ == 1 && hasNames_) {
            fields_ = list_->viewerFieldNames();
        }
    });
    loadLists();
    if (currentRecord_ > 1 || (currentRecord_ == 1 && hasNames_)) {
        --currentRecord_;
        showRecordLabel();
    }
    nextbtn->setEnabled(true);
    prevbtn->setEnabled(!(currentRecord_ == 0 || (currentRecord_ == 1 && !hasNames_)));
}

void TVerifyDlog::listChange(Role role) {
    const int chosen = list(role)->currentIndex();
    positions_[role] = chosen;
    for (int other = 0; other < RoleCount; ++other) {
        if (other != role && list(Role(other))->currentIndex() == chosen) clearRole(Role(other));
    }
    // The ZIP is either one 9-digit field or a 5-digit and a +4 field.
    if (role == Zip5 || role == Zip4) clearRole(Zip9);
    if (role == Zip9) {
        clearRole(Zip5);
        clearRole(Zip4);
    }
}

void TVerifyDlog::clearRole(Role role) {
    list(role)->setCurrentIndex(-1);
    positions_[role] = -1;
}

bool TVerifyDlog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const std::pair<QObject*, Role> labels[] = {
            {Label5, Address},        {Label12, Highrise},    {clearHighrise, Highrise},
            {Label15, DeliveryPoint}, {Label9, Zip9},         {Label11, Zip5},
            {Label10, Zip4},          {barcodeLabel, Barcode}};
        for (const auto& [label, role] : labels) {
            if (label == watched) {
                clearRole(role);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TVerifyDlog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && showHelp) {
        showHelp(HelpContext::FieldIdentification);
        return;
    }
    QDialog::keyPressEvent(event);
}

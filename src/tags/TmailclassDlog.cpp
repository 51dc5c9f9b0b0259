// The mail type dialog, laid out from the mail type table: one framed section per class
// with its Letters, Flats and Parcels columns, and the drop-ship frame.
#include "tags/TmailclassDlog.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/BoldLabel.h"
#include "tags/UpperCaseValidator.h"

namespace {

constexpr int kColumnWidths[] = {250, 120, 120};

QFrame* Frame() {
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// First-Class and Standard A letters are four short captions, so they pair up.
int ButtonsPerLine(MailSection section, MailColumn column) {
    const bool pairedSection =
        section == MailSection::FirstClass || section == MailSection::StandardA;
    return pairedSection && column == MailColumn::Letters ? 2 : 1;
}

}  // namespace

TmailclassDlog::TmailclassDlog(QWidget* parent)
    : QDialog(parent),
      mailTypes_(new QButtonGroup(this)),
      periodicalKinds_(new QButtonGroup(this)),
      origin_(new QLineEdit) {
    setWindowTitle("Mail Type");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Choose the type of mail you are sending:"));

    const auto addButton = [this](const MailTypeInfo& info) {
        auto* button = new QRadioButton(Text(info.caption));
        button->setObjectName(Text(info.code));
        mailTypes_->addButton(button, static_cast<int>(info.type));
        return button;
    };

    const std::pair<MailSection, const char*> sections[] = {
        {MailSection::FirstClass, "First Class:"},
        {MailSection::StandardA, "Standard A:"},
        {MailSection::Periodicals, "Periodicals:"}};
    const std::pair<MailColumn, const char*> columns[] = {{MailColumn::Letters, "Letters"},
                                                          {MailColumn::Flats, "Flats"},
                                                          {MailColumn::Parcels, "Parcels"}};
    for (const auto& [section, title] : sections) {
        QFrame* frame = Frame();
        auto* grid = new QGridLayout(frame);
        grid->addWidget(BoldLabel(title), 0, 0, 1, 3);
        for (int column = 0; column < 3; ++column) {
            grid->setColumnMinimumWidth(column, kColumnWidths[column]);
            grid->addWidget(new QLabel(columns[column].second), 1, column);
            auto* cell = new QGridLayout;
            grid->addLayout(cell, 2, column, Qt::AlignTop | Qt::AlignLeft);
            int firstCellColumn = 0;
            if (section == MailSection::Periodicals &&
                columns[column].first == MailColumn::Letters) {
                auto* kinds = new QVBoxLayout;
                auto* per = new QRadioButton("Per");
                per->setObjectName("Per");
                per->setChecked(true);
                auto* news = new QRadioButton("News");
                news->setObjectName("News");
                periodicalKinds_->addButton(per, static_cast<int>(PeriodicalKind::Per));
                periodicalKinds_->addButton(news, static_cast<int>(PeriodicalKind::News));
                kinds->addWidget(per);
                kinds->addWidget(news);
                cell->addLayout(kinds, 0, 0, 2, 1, Qt::AlignTop);
                cell->setColumnMinimumWidth(0, 70);
                firstCellColumn = 1;
            }
            const int perLine = ButtonsPerLine(section, columns[column].first);
            int placed = 0;
            for (const MailTypeInfo& info : AllMailTypes()) {
                if (info.section != section || info.column != columns[column].first) continue;
                cell->addWidget(addButton(info), placed / perLine,
                                firstCellColumn + placed % perLine);
                ++placed;
            }
        }
        layout->addWidget(frame);
    }

    auto* bottom = new QHBoxLayout;
    QFrame* dropShip = Frame();
    auto* dropShipLayout = new QVBoxLayout(dropShip);
    dropShipLayout->addWidget(BoldLabel("Drop Ship Tags:"));
    for (const MailTypeInfo& info : AllMailTypes()) {
        if (info.section == MailSection::DropShip) dropShipLayout->addWidget(addButton(info));
    }
    bottom->addWidget(dropShip);

    auto* originLayout = new QVBoxLayout;
    auto* originLabels = new QHBoxLayout;
    originLabels->addWidget(BoldLabel("Enter Origin Line:"));
    originLabels->addWidget(new QLabel("(bottom line on tag):"));
    originLabels->addStretch();
    originLayout->addLayout(originLabels);
    origin_->setObjectName("origin");
    origin_->setValidator(new UpperCaseValidator(origin_));
    originLayout->addWidget(origin_);
    originLayout->addStretch();

    auto* next = new QPushButton("Next");
    next->setObjectName("Next");
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("Cancel");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    originLayout->addLayout(buttons);
    bottom->addLayout(originLayout, 1);
    layout->addLayout(bottom);

    mailTypes_->button(static_cast<int>(MailType::FLN))->setChecked(true);
}

MailTypeChoice TmailclassDlog::choice() const {
    return {static_cast<MailType>(mailTypes_->checkedId()),
            static_cast<PeriodicalKind>(periodicalKinds_->checkedId()),
            origin_->text().toStdString()};
}

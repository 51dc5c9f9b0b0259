// The field identification dialog: the roles found for the list's fields, lists to change
// them, and a record viewer that pages through the field names and records.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <QDialog>
#include <QRect>

#include "mailinglist/RecordSource.h"
#include "mailinglist/run/FieldIdentifier.h"

class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TVerifyDlog : public QDialog, public FieldIdentifier {
    Q_OBJECT

  public:
    explicit TVerifyDlog(QWidget* parent = nullptr);

    bool identifyFields(FieldRoles& roles, MailingList& list, bool addMode) override;

    // Called with the help context when F1 is pressed.
    std::function<void(int)> showHelp;

    // The steps of a showing, public so that the dialog can be driven without exec().
    void FormActivate(MailingList& list, const FieldRoles& roles, bool addMode);
    // The roles as the user left them.
    FieldRoles FormClose();

    void prevbtnClick();
    void nextbtnClick();

    QLabel* Label7;
    QLabel* Label1;
    QLabel* fileTypeLabel;
    QLabel* NewRecordsLabel;
    QPlainTextEdit* Memo2;
    QLabel* Label13;
    QLabel* Label8;
    QLabel* Label5;
    QComboBox* address;
    QLabel* Label12;
    QComboBox* highrise;
    QLabel* clearHighrise;
    QLabel* Label15;
    QComboBox* dp;
    QLabel* Label6;
    QLabel* Label16;
    QLabel* Label14;
    QLabel* Label9;
    QComboBox* zip9;
    QLabel* Label11;
    QComboBox* zip5;
    QLabel* Label10;
    QComboBox* zip4;
    QFrame* BarcodeBevelTall;
    QFrame* barcodebevelshort;
    QLabel* barcodeLabel;
    QComboBox* barcode;
    QLabel* barcodeBlank;
    QLabel* Label3;
    QLabel* Label2;
    QPushButton* prevbtn;
    QPushButton* nextbtn;
    QLabel* Label4;
    QLabel* CurrentRecordLabel;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The seven lists in their fixed order, each with its stored position.
    enum Role { Address, Zip5, Zip4, Zip9, Highrise, Barcode, DeliveryPoint, RoleCount };
    static const std::array<int FieldRoles::*, RoleCount> kRoleOf;

    QComboBox* list(Role role) const;
    void loadLists();
    void showChoice(QComboBox* box);
    void fitListsToValues(int widest);
    void listChange(Role role);
    void clearRole(Role role);
    void showRecordLabel();
    void viewRecord(const std::function<void()>& load);

    // How a control moves from where the design puts it when the lists grow wider.
    enum class Place { LeftList, RightColumn, RightList, RightEdge, FullWidth };
    struct Placement {
        QWidget* widget;
        QRect design;
        Place place;
    };
    std::vector<Placement> placements_;
    int listWidth_ = 0;  // the widest any list needed in this showing

    MailingList* list_ = nullptr;
    long recordCount_ = 0;
    int fieldCount_ = 0;
    int positions_[RoleCount] = {-1, -1, -1, -1, -1, -1, -1};
    long currentRecord_ = 0;
    bool hasNames_ = false;
    bool addMode_ = true;
    FieldList fields_;
    // A read error of the viewer closes the dialog and is raised again by identifyFields,
    // outside the dialog's event loop.
    std::string readError_;
};

#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>

class PictureButton;
class WebBrowser;

// The basic-information window: the pharmacy's basic information, the identity check and the
// registration with the service. Opened modeless and reused from the main window and the tray,
// modal at the first sign-in and when the service does not know this computer.
class Tfrm_Kibon : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_Kibon(QWidget* parent = nullptr);
    ~Tfrm_Kibon() override;

    // The fields, in tab order.
    QLineEdit* Edit_kibon1 = new QLineEdit(this);  // owning pharmacist's name
    QLineEdit* Edit_kibon2 = new QLineEdit(this);  // licence number
    QLineEdit* EdiT_Jumin = new QLineEdit(this);   // birth number
    QLineEdit* Edit_kibon3 = new QLineEdit(this);  // pharmacy name
    QLineEdit* Edit_kibon4 = new QLineEdit(this);  // postal code part 1
    QLineEdit* Edit_kibon5 = new QLineEdit(this);  // postal code part 2
    QLabel* lb_kibon1 = new QLabel(this);          // address line
    QLineEdit* Edit_kibon6 = new QLineEdit(this);  // detail address
    QLineEdit* Edit_kibon7 = new QLineEdit(this);  // pharmacy telephone
    QLineEdit* Edit_kibon10 = new QLineEdit(this); // mobile number
    QLineEdit* Edit_kibon13 = new QLineEdit(this); // fax number
    QLineEdit* Edit_kibon16 = new QLineEdit(this); // location text
    QCheckBox* chk_kibon1 = new QCheckBox(this);   // this computer is the check computer

    // The pharmacist's identity counts as confirmed.
    bool IdentityConfirmed = false;
    // The fields of the last identity-check answer.
    QStringList TokenList;
    // "개국약사명" as the last show event read it, untrimmed.
    QString SettingsName;

    // Loads the stored values and runs the import from the management database.
    void FormShow();
    // Fills the fields from the pharmacy-management system's database where one is detected.
    void ImportFromManagementDb();
    // Asks the service to confirm the pharmacist's identity.
    void SendIdentityCheck();
};

// When set, the basic-information window closes itself the next time it paints.
inline bool CloseOnPaint = false;

// The one reused basic-information window of the main window and the tray; empty until opened.
inline QPointer<Tfrm_Kibon> frm_Kibon;

#pragma once

#include "registration/BasicInfoFields.h"

#include <QDialog>
#include <QList>

enum class BasicInfoButton;
class IdentityCheck;
class PictureButton;
struct Pharmacy;
class Registration;

// The basic-information window (caption "초록우체통 기본정보입력"): the pharmacy's basic
// information, loaded from the settings file and the management system's database when shown,
// confirmed by the identity check and stored by the registration with the service. Enter walks
// through the fields with the checks of each. Opened modeless and reused from the main window
// and the tray, modal at the first sign-in and when the service does not know this computer;
// closing only hides it.
class BasicInfoWindow : public QDialog
{
    Q_OBJECT

public:
    // The import reads the pharmacy's first-sign-in mark; a registration changes its licence and
    // check computer.
    explicit BasicInfoWindow(Pharmacy& pharmacy, QWidget* parent = nullptr);
    ~BasicInfoWindow() override;

    // Waits until the answers of the requests under way are handled, at most the request
    // time-out: a window that closed itself right after posting the registration still stores
    // what its answer confirms and signs in again before it may be deleted.
    void FinishRequests();

signals:
    // The registration's requests of the main window, in this order: the tray's "off" when this
    // computer became the check computer, a new sign-in, the weekly hours.
    void CheckComputerRegistered();
    void SignInRequested();
    void WeeklyHoursRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpFields();
    PictureButton* NewPictureButton(BasicInfoButton kind, QPoint at, const char* objectName);
    void ShowButtonsReleased();
    void LoadStoredValues();
    void EnterPressedIn(const QLineEdit* box);
    void CheckBirthNumber();
    void OpenPostalSearch();
    void TakePostalChoice(const QString& postalCode1, const QString& postalCode2,
                          const QString& addressLine);
    void ReEnter();

    Pharmacy& pharmacy_;
    BasicInfoFields fields_;
    // The buttons whose pressed twins show while they are held; the manual button has none.
    QList<PictureButton*> buttonsWithTwins_;
    IdentityCheck* identity_;
    Registration* registration_;
    // "개국약사명" as the last show read it, untrimmed: the import's test of a first import.
    QString storedPharmacistName_;
};

// When set, the basic-information window closes itself the next time it paints. The import and
// the automatic registration set it from inside the show or an answer; the paint that closes does
// not clear it, the next import or a new window does.
inline bool CloseOnPaint = false;

#pragma once

#include "DragPicture.h"
#include "MainButtons.h"
#include "PictureButton.h"
#include "SingleInstance.h"
#include "TrayMenu.h"
#include "TrayPictures.h"
#include "UpcomingHoliday.h"
#include "WebBrowser.h"

#include <QIcon>
#include <QPointer>
#include <QSqlQuery>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QCloseEvent;
class TLOGIN;
class BasicInfoWindow;

// The main window: start-up sequence, sign-in, tray, presence reports. It closes only while
// CloseAllowed is yes, and reports "off" on its way out.
class Tfrm_Quillane_Main : public QWidget
{
    Q_OBJECT

public:
    explicit Tfrm_Quillane_Main(QWidget* parent = nullptr);
    ~Tfrm_Quillane_Main() override;

    // Start-up and sign-in (Quillane_Main_Startup.cpp).
    // The start-up sequence, run once right after the window is created: network test, desktop
    // link, settings and temporary folder, update, local database, autostart, tray, sign-in.
    void Startup();
    // Signs in with "ComCheck2.asp" through WebBrowser1; at the first start the basic-information
    // window comes first, modally. The answer arrives as WebBrowser1DocumentComplete.
    void SignIn();

    // Presence (Quillane_Main_Presence.cpp).
    // The sign-in answer: the completed address and the page's text.
    void WebBrowser1DocumentComplete(const QString& url);
    void SignInAnswerArrived(const QString& url, const QString& text);
    // One tick of the presence timer: the periodic report and the report of a user who is back.
    void tmRoutineTimer();
    // Reminds of an upcoming holiday whose hours are not answered yet.
    void CheckUpcomingHoliday();
    int RoutineTicks = 0; // presence-timer ticks since the last report that reset it
    // Whole seconds since the last keyboard or mouse input.
    std::function<std::uint32_t()> IdleSeconds;

    // Brings the main screen up: 312 x 312, centred on the screen, shown and raised.
    void ShowMainScreen();
    // Main screen and tray (Quillane_Main_Screen.cpp).
    // Tray picture 0 and the window out of sight; without a tray the window stays reachable.
    void HideToTray();
    // All five buttons shown, their pressed pictures hidden.
    void ResetButtonImages();
    // Warns that the basic information is missing, then opens the basic-information window.
    void RequireBasicInfo();
    // The presence state shown by the tray icon: 0 off, 1 waiting, 2 on.
    void SetPresencePicture(int index);
    int PresencePicture() const { return presencePicture_; }
    // The tray menu at the mouse pointer.
    void PopupTrayMenu();
    // Opening the data-entry windows through their program-wide references.
    void OpenKibon();
    void OpenNormal();
    void OpenHoliday();
    void OpenFastival();

    // Posts a presence report with the flag ("on", "wai", "off") to "TimeCheck.asp"; the answer
    // is not looked at.
    void SendPresence(const QString& flag);

    // A request from outside the program: a later start, a tray-style notification.
    void InstanceRequestReceived(platform::InstanceRequest request);

    // The session is ending: closing is allowed and the close query answers.
    bool SessionEndQuery();
    // The session ends (the close follows the query) or its end was cancelled (closing is
    // refused again).
    void SessionEnd(bool ends);

    WebBrowser WebBrowser1{QStringLiteral("WebBrowser1")}; // sign-in
    WebBrowser WebBrowser2{QStringLiteral("WebBrowser2")}; // presence reports
    QTimer tmRoutine;                                      // presence timer, 1000 ms
    QTimer Timer1;                                         // never started

    // The main screen, in stacking order from the bottom, and the tray (Quillane_Main_Screen.cpp).
    DragPicture* main_img1 = NewBackground();
    PictureButton* btn_main1 = NewPictureButton(MainButton::BasicInfo, {26, 80}, {26, 79});
    PictureButton* btn_main2 = NewPictureButton(MainButton::NormalHours, {26, 125}, {26, 125});
    PictureButton* btn_main3 = NewPictureButton(MainButton::LegalHolidays, {26, 172}, {26, 172});
    PictureButton* btn_main4 = NewPictureButton(MainButton::FestivalHours, {26, 219}, {26, 219});
    PictureButton* btn_main5 = NewPictureButton(MainButton::Close, {6, 290}, {6, 290});
    QLabel* main_img2 = btn_main1->PressedPicture();
    QLabel* main_img3 = btn_main2->PressedPicture();
    QLabel* main_img4 = btn_main3->PressedPicture();
    QLabel* main_img5 = btn_main4->PressedPicture();
    QLabel* main_img7 = btn_main5->PressedPicture();
    QLabel* lbQX2000 = NewLabel(QRect(16, 271, 137, 13), Qt::AlignLeft);
    QLabel* lbVer = NewLabel(QRect(259, 271, 42, 13), Qt::AlignRight);
    const std::array<QIcon, TrayPictureCount> ImageList1 = TrayIcons();
    TrayMenu* PopupMenu1 = NewTrayMenu();
    QSystemTrayIcon* TrayIcon1 = NewTrayIcon();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool FormCloseQuery();
    void FormClose();

    DragPicture* NewBackground();
    PictureButton* NewPictureButton(MainButton button, QPoint at, QPoint pressedAt);
    QLabel* NewLabel(QRect place, Qt::Alignment alignment);
    static std::array<QIcon, TrayPictureCount> TrayIcons();
    TrayMenu* NewTrayMenu();
    QSystemTrayIcon* NewTrayIcon();
    void btn_mainClick();
    void TrayIcon1Activated(QSystemTrayIcon::ActivationReason reason);
    void DockWhenTrayAppears();
    void OpenGuarded(void (Tfrm_Quillane_Main::*open)());
    void OpenHomePage();
    void Exit();

    // Start-up, sign-in and presence.
    void CreateDesktopShortcut();
    void OpenLocalDatabase();
    void RegisterAutostart();
    void ShowModalKibon();
    void HandleSignInAnswer(const QString& url, const QString& text);
    void PeriodicReport(std::uint32_t idle);
    // The basic-information window that SignIn or the sign-in answer opened modally, while open.
    QPointer<BasicInfoWindow> KibonOpenBySignIn;
    std::unique_ptr<TLOGIN> Login; // the local database, from start-up to the end
    std::unique_ptr<QSqlQuery> ADOQuery2;
    UpcomingHolidayCheck HolidayCheck; // remembers the reminder answer it read last

    QTimer* NewTrayWatch();

    int presencePicture_ = 0;
    QTimer* trayWatch_ = NewTrayWatch(); // polls for a tray that appears after the start
};

#pragma once

#include "platform/SingleInstance.h"
#include "resources/MainButtons.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class DataWindows;
class DragPicture;
class LocalDatabaseSession;
class PictureButton;
class PresenceReporter;
struct Pharmacy;
class QLabel;
class QSqlQuery;
class SignIn;
class TrayIcon;

// The main window: a borderless 312 x 312 launcher with a picture button for each data-entry
// window and a close bar that hides it in the tray, where it spends most of its life. It runs the
// start-up sequence and owns the sign-in, the presence reports and the tray icon. It closes only
// once closing is allowed (the exit entry, the session's end), and reports "off" on its way out.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // The pharmacy is read by the sign-in and lent to the windows that read or change it.
    explicit MainWindow(Pharmacy& pharmacy, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence, run once right after the window is created: network test, desktop
    // link, settings and temporary folder, update, local database, autostart, tray, sign-in.
    void Startup();

    // Whole seconds since the last keyboard or mouse input, for the presence reports.
    void SetIdleSeconds(std::function<std::uint32_t()> idleSeconds);

    // Brings the main screen up: 312 x 312, centred on the screen, shown and raised.
    void ShowMainScreen();
    // The off picture in the tray and the window out of sight; without a tray the window stays
    // within reach.
    void HideToTray();

    // A request from outside the program: a later start, a tray-style notification.
    void InstanceRequestReceived(platform::InstanceRequest request);

    // The session is ending: closing is allowed and the close query answers.
    bool SessionEndQuery();
    // The session ends (the close follows the query) or its end was cancelled (closing is
    // refused again).
    void SessionEnd(bool ends);

    // Whether the window may close now.
    bool ClosingAllowed() const { return closingAllowed_; }
    void AllowClosing() { closingAllowed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    DragPicture* NewBackground();
    PictureButton* NewPictureButton(MainButton kind, QPoint at, QPoint pressedAt,
                                    const QString& objectName);
    QLabel* NewLabel(QRect place, Qt::Alignment alignment, const QString& objectName);
    TrayIcon* NewTrayIcon();

    void ShowButtonsReleased();
    void RequireBasicInfo();
    void OpenBasicInfo();
    void OpenWeeklyHours();
    void OpenLegalHolidayHours();
    void OpenFestivalHours();
    void OpenNeedingBasicInfo(void (DataWindows::*open)());
    void OpenHomePage();
    void PopUpTrayMenu();
    void Exit();
    bool CloseQuery();
    void EndProgram();
    void OpenLocalDatabase();

    // The main screen, in stacking order from the bottom.
    DragPicture* background_ = NewBackground();
    PictureButton* basicInfoButton_ = NewPictureButton(MainButton::BasicInfo, {26, 80}, {26, 79},
                                                       QStringLiteral("basicInfoButton"));
    PictureButton* weeklyHoursButton_ = NewPictureButton(
        MainButton::NormalHours, {26, 125}, {26, 125}, QStringLiteral("weeklyHoursButton"));
    PictureButton* legalHolidayHoursButton_ = NewPictureButton(
        MainButton::LegalHolidays, {26, 172}, {26, 172}, QStringLiteral("legalHolidayHoursButton"));
    PictureButton* festivalHoursButton_ = NewPictureButton(
        MainButton::FestivalHours, {26, 219}, {26, 219}, QStringLiteral("festivalHoursButton"));
    PictureButton* closeBar_ =
        NewPictureButton(MainButton::Close, {6, 290}, {6, 290}, QStringLiteral("closeBar"));
    QLabel* editionLabel_ =
        NewLabel(QRect(16, 271, 137, 13), Qt::AlignLeft, QStringLiteral("editionLabel"));
    QLabel* versionLabel_ =
        NewLabel(QRect(259, 271, 42, 13), Qt::AlignRight, QStringLiteral("versionLabel"));

    Pharmacy& pharmacy_;
    bool closingAllowed_ = false;
    PresenceReporter* presence_;
    DataWindows* dataWindows_;
    SignIn* signIn_;
    TrayIcon* tray_;
    std::unique_ptr<LocalDatabaseSession> localDatabase_; // from the start-up to the end
    std::unique_ptr<QSqlQuery> holidayQuery_;             // the upcoming-holiday check's
};

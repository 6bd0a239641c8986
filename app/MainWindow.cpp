#include "app/MainWindow.h"

#include "app/DataWindows.h"
#include "app/DragPicture.h"
#include "app/PresenceReporter.h"
#include "app/SignIn.h"
#include "app/StartupSteps.h"
#include "app/TempFolder.h"
#include "app/TrayAvailability.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "app/WebAddressOpener.h"
#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalDatabaseSession.h"
#include "core/management/EditionDetection.h"
#include "core/management/ManagementIniCopy.h"
#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/Pharmacy.h"
#include "core/program/PictureButton.h"
#include "core/program/ProcessEnd.h"
#include "core/program/ProgramValues.h"
#include "core/program/QuitNow.h"
#include "core/program/Trimmed.h"
#include "core/requests/ConnectionCheck.h"
#include "platform/DesktopLink.h"
#include "resources/MainBackground.h"
#include "update/UpdateProgram.h"
#include "update/UpdateStart.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>

namespace {

const QString WindowCaption = QStringLiteral("Quillane");
constexpr int MainScreenSize = 312;
// The waits after the "off" reports, which give them time to leave.
constexpr int CloseQueryPauseMs = 500;
constexpr int ClosePauseMs = 1000;

QFont LabelFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("NanumGothic")});
    font.setPointSize(8);
    font.setBold(true);
    return font;
}

} // namespace

MainWindow::MainWindow(Pharmacy& pharmacy, QWidget* parent)
    : QWidget(parent), pharmacy_(pharmacy), presence_(new PresenceReporter(pharmacy, this)),
      dataWindows_(new DataWindows(pharmacy, this)),
      signIn_(new SignIn(pharmacy, *presence_, *dataWindows_, this)), tray_(NewTrayIcon())
{
    setWindowTitle(WindowCaption);
    setWindowFlag(Qt::FramelessWindowHint);
    connect(basicInfoButton_, &PictureButton::Clicked, this, &MainWindow::OpenBasicInfo);
    connect(weeklyHoursButton_, &PictureButton::Clicked, this, &MainWindow::OpenWeeklyHours);
    connect(legalHolidayHoursButton_, &PictureButton::Clicked, this,
            &MainWindow::OpenLegalHolidayHours);
    connect(festivalHoursButton_, &PictureButton::Clicked, this, &MainWindow::OpenFestivalHours);
    connect(closeBar_, &PictureButton::Clicked, this, &MainWindow::HideToTray);
    connect(presence_, &PresenceReporter::StateChanged, tray_, &TrayIcon::ShowPresence);
    connect(dataWindows_, &DataWindows::CheckComputerRegistered, this,
            [this] { presence_->SetState(Presence::Off); });
    connect(dataWindows_, &DataWindows::SignInRequested, this, [this] { signIn_->Send(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::Startup()
{
    FinishLastUpdate();
    RunConnectivityTest();
    CreateDesktopShortcut();
    platform::RefreshDesktop();
    SetupIniPath = ProgramFolder + QStringLiteral("setup.ini");
    RefreshManagementIniCopy();
    versionLabel_->setText(VersionCaption);
    DetectedEdition = DetectEdition();
    editionLabel_->setText(DetectedEdition);
    const QString installedVersion = PrepareSettingsFile();
    if (!PrepareTempFolder(Config.tempFolder)) {
        QuitNow();
        return;
    }
    QCoreApplication::processEvents();
    UpdateProgram(installedVersion);
    OpenLocalDatabase();
    RegisterAutostart();
    HideToTray();
    signIn_->Send();
    presence_->SetTicksSinceReport(0);
}

void MainWindow::SetIdleSeconds(std::function<std::uint32_t()> idleSeconds)
{
    presence_->SetIdleSeconds(std::move(idleSeconds));
}

void MainWindow::ShowMainScreen()
{
    const QRect screen = this->screen()->geometry();
    setFixedSize(MainScreenSize, MainScreenSize);
    move(screen.x() + (screen.width() - MainScreenSize) / 2,
         screen.y() + (screen.height() - MainScreenSize) / 2);
    showNormal();
    raise();
    activateWindow();
    ShowButtonsReleased();
}

// The tray shows "off" at once, though nothing is reported: a user still at the computer is
// reported "on" again by the next tick. A window cannot be shown with no area, so it is hidden
// instead; without a tray it stays within reach: minimised when it was on the screen, shown at
// the start.
void MainWindow::HideToTray()
{
    presence_->SetState(Presence::Off);
    if (TrayAvailable())
        hide();
    else if (isVisible())
        showMinimized();
    else
        ShowMainScreen();
}

void MainWindow::InstanceRequestReceived(platform::InstanceRequest request)
{
    switch (request) {
    case platform::InstanceRequest::ShowMainScreen:
    case platform::InstanceRequest::TrayDoubleClick:
        ShowMainScreen();
        break;
    case platform::InstanceRequest::TrayMenu:
        PopUpTrayMenu();
        break;
    }
}

bool MainWindow::SessionEndQuery()
{
    AllowClosing();
    return CloseQuery();
}

void MainWindow::SessionEnd(bool ends)
{
    closingAllowed_ = ends;
    if (ends)
        EndProgram();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    EndProgram();
}

// A repaint restores every button, except while one is held down, whose pressed picture would
// otherwise vanish at once (showing it repaints the window).
void MainWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    for (const PictureButton* button :
         {basicInfoButton_, weeklyHoursButton_, legalHolidayHoursButton_, festivalHoursButton_,
          closeBar_}) {
        if (button->IsHeld())
            return;
    }
    ShowButtonsReleased();
}

DragPicture* MainWindow::NewBackground()
{
    auto* picture = new DragPicture(this, MainBackground);
    picture->setObjectName(QStringLiteral("background"));
    picture->setGeometry(0, 0, MainScreenSize, MainScreenSize);
    return picture;
}

// The pressed picture is named after its button: "closeBarPressed".
PictureButton* MainWindow::NewPictureButton(MainButton kind, QPoint at, QPoint pressedAt,
                                            const QString& objectName)
{
    auto* button = new PictureButton(
        this, [kind] { return MainButtonPicture(kind, false); },
        QRect(at, MainButtonPictureSize(kind, false)),
        [kind] { return MainButtonPicture(kind, true); },
        QRect(pressedAt, MainButtonPictureSize(kind, true)));
    button->setObjectName(objectName);
    button->PressedPicture()->setObjectName(objectName + QStringLiteral("Pressed"));
    button->ShowPressesAfter(this, [this] { ShowButtonsReleased(); });
    return button;
}

// The design caption "ver." stands until the start-up sets the text.
QLabel* MainWindow::NewLabel(QRect place, Qt::Alignment alignment, const QString& objectName)
{
    auto* label = new QLabel(QStringLiteral("ver."), this);
    label->setObjectName(objectName);
    label->setGeometry(place);
    label->setFont(LabelFont());
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: #1f3b24;"));
    return label;
}

TrayIcon* MainWindow::NewTrayIcon()
{
    auto* tray = new TrayIcon(this);
    connect(tray, &TrayIcon::MainScreenRequested, this, &MainWindow::ShowMainScreen);
    const TrayMenu* menu = tray->Menu();
    connect(menu, &TrayMenu::MainScreenChosen, this, &MainWindow::ShowMainScreen);
    connect(menu, &TrayMenu::BasicInfoChosen, this, &MainWindow::OpenBasicInfo);
    connect(menu, &TrayMenu::WeeklyHoursChosen, this, &MainWindow::OpenWeeklyHours);
    connect(menu, &TrayMenu::LegalHolidayHoursChosen, this, &MainWindow::OpenLegalHolidayHours);
    connect(menu, &TrayMenu::FestivalHoursChosen, this, &MainWindow::OpenFestivalHours);
    connect(menu, &TrayMenu::HomePageChosen, this, &MainWindow::OpenHomePage);
    connect(menu, &TrayMenu::ExitChosen, this, &MainWindow::Exit);
    return tray;
}

void MainWindow::ShowButtonsReleased()
{
    for (PictureButton* button : {basicInfoButton_, weeklyHoursButton_, legalHolidayHoursButton_,
                                  festivalHoursButton_, closeBar_})
        button->ShowReleased();
}

// Warns that the basic information is missing, then opens its window.
void MainWindow::RequireBasicInfo()
{
    ShowMessage({.text = QStringLiteral("기본정보가 없습니다. \r\n면허번호 와 초록우체통 확인전용 "
                                        "컴퓨터 체크 후 다시 선택해 주십시요!"),
                 .caption = WarningCaption,
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
    OpenBasicInfo();
}

void MainWindow::OpenBasicInfo()
{
    dataWindows_->OpenBasicInfo();
}

// The weekly, legal-holiday and festival windows need the check computer's name and the licence
// number (as they are, untrimmed).
void MainWindow::OpenNeedingBasicInfo(void (DataWindows::*open)())
{
    if (pharmacy_.checkComputer.isEmpty() || pharmacy_.license.isEmpty())
        RequireBasicInfo();
    else
        (dataWindows_->*open)();
}

void MainWindow::OpenWeeklyHours()
{
    OpenNeedingBasicInfo(&DataWindows::OpenWeeklyHours);
}

void MainWindow::OpenLegalHolidayHours()
{
    OpenNeedingBasicInfo(&DataWindows::OpenLegalHolidayHours);
}

void MainWindow::OpenFestivalHours()
{
    OpenNeedingBasicInfo(&DataWindows::OpenFestivalHours);
}

void MainWindow::OpenHomePage()
{
    OpenWebAddress(QUrl(QStringLiteral("http://") + Config.serviceHost + QStringLiteral("/")));
}

void MainWindow::PopUpTrayMenu()
{
    activateWindow();
    tray_->PopUpMenu();
}

void MainWindow::Exit()
{
    presence_->Stop();
    AllowClosing();
    close();
}

// The answer is whether closing is allowed. Leaving sends "off", even without a check-computer
// name.
bool MainWindow::CloseQuery()
{
    if (!closingAllowed_)
        return false;
    presence_->Report(Presence::Off);
    Pause(CloseQueryPauseMs);
    return true;
}

// Ends the program. The close may run inside a modal window's loop with its opener's steps still
// waiting below, so the process ends here instead of unwinding into them.
void MainWindow::EndProgram()
{
    if (!Trimmed(pharmacy_.checkComputer).isEmpty()) {
        presence_->Report(Presence::Off);
        Pause(ClosePauseMs);
    }
    hide();
    presence_->Stop();
    EndProcess();
}

// The local database stays open from here to the end of the process.
void MainWindow::OpenLocalDatabase()
{
    localDatabase_ = std::make_unique<LocalDatabaseSession>();
    holidayQuery_ = std::make_unique<QSqlQuery>(LocalConnection());
    holidayQuery_->setForwardOnly(true);
    signIn_->SetHolidayQuery(holidayQuery_.get());
}

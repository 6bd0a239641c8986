#include "app/MainWindow.h"

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
#include "core/program/DataWindow.h"
#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/PictureButton.h"
#include "core/program/ProcessEnd.h"
#include "core/program/Quillane_Define.h"
#include "core/program/QuitNow.h"
#include "core/requests/ConnectionCheck.h"
#include "hours/FestivalHoursWindow.h"
#include "hours/LegalHolidayWindow.h"
#include "hours/WeeklyHoursWindow.h"
#include "platform/DesktopLink.h"
#include "registration/BasicInfoWindow.h"
#include "registration/MainWindowCallbacks.h"
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

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), presence_(new PresenceReporter(this)), signIn_(new SignIn(*presence_, this)),
      tray_(NewTrayIcon())
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
    MainWindowOfBasicInfo = {
        .signIn = [this] { signIn_->Send(); },
        .setTrayPicture = [this](int index) { presence_->SetState(static_cast<Presence>(index)); },
    };
}

MainWindow::~MainWindow()
{
    MainWindowOfBasicInfo = {};
}

void MainWindow::Startup()
{
    FinishLastUpdate();
    SignInAnswer.clear();
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
    CloseAllowed = true;
    return CloseQuery();
}

void MainWindow::SessionEnd(bool ends)
{
    CloseAllowed = ends;
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
    ShowDataWindow(frm_Kibon);
}

// The weekly, legal-holiday and festival windows need the check computer's name and the licence
// number (as they are, untrimmed).
template <class Window> void MainWindow::OpenNeedingBasicInfo(QPointer<Window>& window)
{
    if (ComName.isEmpty() || PaLicense.isEmpty())
        RequireBasicInfo();
    else
        ShowDataWindow(window);
}

void MainWindow::OpenWeeklyHours()
{
    OpenNeedingBasicInfo(frm_normal);
}

void MainWindow::OpenLegalHolidayHours()
{
    OpenNeedingBasicInfo(frm_holiday);
}

void MainWindow::OpenFestivalHours()
{
    OpenNeedingBasicInfo(frm_fastival);
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
    CloseAllowed = true;
    close();
}

// The answer is CloseAllowed. Leaving sends "off", even without a check-computer name.
bool MainWindow::CloseQuery()
{
    if (!CloseAllowed)
        return false;
    presence_->Report(Presence::Off);
    Pause(CloseQueryPauseMs);
    return true;
}

// Ends the program. The close may run inside a modal window's loop with its opener's steps still
// waiting below, so the process ends here instead of unwinding into them.
void MainWindow::EndProgram()
{
    if (!Trimmed(ComName).isEmpty()) {
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

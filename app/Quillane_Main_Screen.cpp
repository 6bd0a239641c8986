#include "BasicInfoWindow.h"
#include "DataWindow.h"
#include "MainBackground.h"
#include "MessageBox.h"
#include "Quillane_Define.h"
#include "Quillane_Main.h"
#include "TrayAvailability.h"
#include "WebAddressOpener.h"
#include "quillane_fastival.h"
#include "quillane_holiday.h"
#include "quillane_normal.h"

#include <QCursor>
#include <QScreen>

namespace {

constexpr int MainScreenSize = 312;
// A tray host often starts after the program at log-in; looking for it now and then is cheap.
constexpr int TrayWatchIntervalMs = 5000;

QFont LabelFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("NanumGothic")});
    font.setPointSize(8);
    font.setBold(true);
    return font;
}

} // namespace

void Tfrm_Quillane_Main::ShowMainScreen()
{
    const QRect screen = this->screen()->geometry();
    setFixedSize(MainScreenSize, MainScreenSize);
    move(screen.x() + (screen.width() - MainScreenSize) / 2,
         screen.y() + (screen.height() - MainScreenSize) / 2);
    showNormal();
    raise();
    activateWindow();
    ResetButtonImages();
}

// A window cannot be shown with no area, so it is hidden instead. Without a tray it stays within
// reach: minimised when it was on the screen, shown at the start.
void Tfrm_Quillane_Main::HideToTray()
{
    SetPresencePicture(0);
    if (TrayAvailable())
        hide();
    else if (isVisible())
        showMinimized();
    else
        ShowMainScreen();
}

void Tfrm_Quillane_Main::ResetButtonImages()
{
    for (PictureButton* button : {btn_main1, btn_main2, btn_main3, btn_main4, btn_main5})
        button->ShowReleased();
}

void Tfrm_Quillane_Main::RequireBasicInfo()
{
    ShowMessage({.text = QStringLiteral("기본정보가 없습니다. \r\n면허번호 와 초록우체통 확인전용 "
                                        "컴퓨터 체크 후 다시 선택해 주십시요!"),
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
    OpenKibon();
}

void Tfrm_Quillane_Main::SetPresencePicture(int index)
{
    presencePicture_ = std::clamp(index, 0, TrayPictureCount - 1);
    TrayIcon1->setIcon(ImageList1[presencePicture_]);
}

void Tfrm_Quillane_Main::PopupTrayMenu()
{
    activateWindow();
    PopupMenu1->popup(QCursor::pos());
}

void Tfrm_Quillane_Main::OpenKibon()
{
    ShowDataWindow(frm_Kibon);
}

void Tfrm_Quillane_Main::OpenNormal()
{
    ShowDataWindow(frm_normal);
}

void Tfrm_Quillane_Main::OpenHoliday()
{
    ShowDataWindow(frm_holiday);
}

void Tfrm_Quillane_Main::OpenFastival()
{
    ShowDataWindow(frm_fastival);
}

// A repaint restores every button, except while one is held down, whose pressed picture would
// otherwise vanish at once (showing it repaints the window).
void Tfrm_Quillane_Main::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    for (const PictureButton* button : {btn_main1, btn_main2, btn_main3, btn_main4, btn_main5}) {
        if (button->IsHeld())
            return;
    }
    ResetButtonImages();
}

DragPicture* Tfrm_Quillane_Main::NewBackground()
{
    auto* picture = new DragPicture(this, MainBackground);
    picture->setGeometry(0, 0, MainScreenSize, MainScreenSize);
    return picture;
}

PictureButton* Tfrm_Quillane_Main::NewPictureButton(MainButton kind, QPoint at, QPoint pressedAt)
{
    auto* button = new PictureButton(
        this, [kind] { return MainButtonPicture(kind, false); },
        QRect(at, MainButtonPictureSize(kind, false)),
        [kind] { return MainButtonPicture(kind, true); },
        QRect(pressedAt, MainButtonPictureSize(kind, true)));
    button->ShowPressesAfter(this, [this] { ResetButtonImages(); });
    connect(button, &PictureButton::Clicked, this, &Tfrm_Quillane_Main::btn_mainClick);
    return button;
}

QLabel* Tfrm_Quillane_Main::NewLabel(QRect place, Qt::Alignment alignment)
{
    auto* label = new QLabel(QStringLiteral("ver."), this);
    label->setGeometry(place);
    label->setFont(LabelFont());
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: #1f3b24;"));
    return label;
}

std::array<QIcon, TrayPictureCount> Tfrm_Quillane_Main::TrayIcons()
{
    std::array<QIcon, TrayPictureCount> icons;
    for (int index = 0; index < TrayPictureCount; ++index)
        icons[index] = QIcon(QPixmap::fromImage(TrayPicture(index)));
    return icons;
}

TrayMenu* Tfrm_Quillane_Main::NewTrayMenu()
{
    auto* menu = new TrayMenu(this);
    connect(menu->N1, &QAction::triggered, this, &Tfrm_Quillane_Main::ShowMainScreen);
    connect(menu->N2, &QAction::triggered, this, &Tfrm_Quillane_Main::OpenKibon);
    connect(menu->N3, &QAction::triggered, this,
            [this] { OpenGuarded(&Tfrm_Quillane_Main::OpenNormal); });
    connect(menu->N4, &QAction::triggered, this,
            [this] { OpenGuarded(&Tfrm_Quillane_Main::OpenHoliday); });
    connect(menu->N5, &QAction::triggered, this,
            [this] { OpenGuarded(&Tfrm_Quillane_Main::OpenFastival); });
    connect(menu->N7, &QAction::triggered, this, &Tfrm_Quillane_Main::OpenHomePage);
    connect(menu->N6, &QAction::triggered, this, &Tfrm_Quillane_Main::Exit);
    return menu;
}

QSystemTrayIcon* Tfrm_Quillane_Main::NewTrayIcon()
{
    auto* icon = new QSystemTrayIcon(ImageList1[0], this);
    icon->setToolTip(QStringLiteral("초록우체통"));
    icon->setContextMenu(PopupMenu1);
    connect(icon, &QSystemTrayIcon::activated, this, &Tfrm_Quillane_Main::TrayIcon1Activated);
    icon->show();
    return icon;
}

QTimer* Tfrm_Quillane_Main::NewTrayWatch()
{
    auto* watch = new QTimer(this);
    watch->setInterval(TrayWatchIntervalMs);
    connect(watch, &QTimer::timeout, this, &Tfrm_Quillane_Main::DockWhenTrayAppears);
    if (!TrayAvailable())
        watch->start();
    return watch;
}

void Tfrm_Quillane_Main::btn_mainClick()
{
    const QObject* button = sender();
    if (button == btn_main1)
        OpenKibon();
    else if (button == btn_main2)
        OpenGuarded(&Tfrm_Quillane_Main::OpenNormal);
    else if (button == btn_main3)
        OpenGuarded(&Tfrm_Quillane_Main::OpenHoliday);
    else if (button == btn_main4)
        OpenGuarded(&Tfrm_Quillane_Main::OpenFastival);
    else if (button == btn_main5)
        HideToTray();
}

// The single click does nothing; the context menu is the tray's own.
void Tfrm_Quillane_Main::TrayIcon1Activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        ShowMainScreen();
}

// Shows the icon again once a tray exists, which docks it there.
void Tfrm_Quillane_Main::DockWhenTrayAppears()
{
    if (!TrayAvailable())
        return;
    trayWatch_->stop();
    TrayIcon1->hide();
    TrayIcon1->show();
}

// The weekly, legal-holiday and festival windows need the check computer's name and the licence
// number (as they are, untrimmed).
void Tfrm_Quillane_Main::OpenGuarded(void (Tfrm_Quillane_Main::*open)())
{
    if (ComName.isEmpty() || PaLicense.isEmpty()) {
        RequireBasicInfo();
        return;
    }
    (this->*open)();
}

void Tfrm_Quillane_Main::OpenHomePage()
{
    OpenWebAddress(QUrl(QStringLiteral("http://") + Config.serviceHost + QStringLiteral("/")));
}

void Tfrm_Quillane_Main::Exit()
{
    tmRoutine.stop();
    CloseAllowed = true;
    close();
}

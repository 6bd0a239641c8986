#include "app/DragPicture.h"
#include "app/MainWindow.h"
#include "app/PresenceReporter.h"
#include "app/TrayAvailability.h"
#include "app/TrayIcon.h"
#include "app/WebAddressOpener.h"
#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/Pharmacy.h"
#include "core/program/PictureButton.h"
#include "core/program/ProcessEnd.h"
#include "core/program/ProgramValues.h"
#include "registration/BasicInfoWindow.h"
#include "resources/TrayPictures.h"
#include "tests/app/TimeCheckRecorder.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString MissingBasicInfo =
    QStringLiteral("기본정보가 없습니다. \r\n면허번호 와 초록우체통 확인전용 컴퓨터 체크 후 "
                   "다시 선택해 주십시요!");

// The main window on the offscreen platform, with a tray, message boxes recorded and answered,
// web addresses recorded, and an empty program folder.
class MainScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ProgramFolder = folder.path() + QStringLiteral("/");
        SetTrayAvailabilityHandler([this] { return trayAvailable; });
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return MessageAnswer::Ok;
        });
        SetWebAddressHandler([this](const QUrl& address) { addresses.push_back(address); });
        window = new MainWindow(pharmacy);
    }

    void TearDown() override
    {
        delete window;
        SetTrayAvailabilityHandler({});
        SetMessageBoxHandler({});
        SetWebAddressHandler({});
    }

    // The basic-information windows the main window has opened, shown or hidden.
    static QList<BasicInfoWindow*> BasicInfoWindows()
    {
        QList<BasicInfoWindow*> found;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* basicInfo = qobject_cast<BasicInfoWindow*>(widget))
                found << basicInfo;
        }
        return found;
    }
    static bool BasicInfoShown()
    {
        const QList<BasicInfoWindow*> windows = BasicInfoWindows();
        return std::any_of(windows.begin(), windows.end(),
                           [](const BasicInfoWindow* basicInfo) { return basicInfo->isVisible(); });
    }
    static void HideBasicInfo()
    {
        for (BasicInfoWindow* basicInfo : BasicInfoWindows())
            basicInfo->hide();
    }

    template <class Child> Child* Find(const char* name) const
    {
        Child* child = window->findChild<Child*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    PictureButton* Button(const char* name) const { return Find<PictureButton>(name); }
    QLabel* Label(const char* name) const { return Find<QLabel>(name); }
    QAction* Entry(const char* name) const { return Find<QAction>(name); }
    TrayIcon* Tray() const { return window->findChild<TrayIcon*>(); }
    PresenceReporter* Reporter() const { return window->findChild<PresenceReporter*>(); }

    // Whether the tray shows the picture of the presence state.
    bool TrayShows(Presence state) const
    {
        return Tray()->icon().pixmap(QSize(16, 16)).toImage() ==
               QPixmap::fromImage(TrayPicture(static_cast<int>(state))).toImage();
    }

    bool trayAvailable = true;
    QTemporaryDir folder;
    std::vector<MessageRequest> messages;
    std::vector<QUrl> addresses;
    Pharmacy pharmacy{.license = QStringLiteral("12345"), .checkComputer = QStringLiteral("PC1")};
    QPointer<MainWindow> window;
};

struct ButtonPlace
{
    const char* button;
    QRect place;
    QRect pressedPlace;
};

const ButtonPlace ButtonPlaces[] = {
    {"basicInfoButton", {26, 80, 251, 40}, {26, 79, 251, 40}},
    {"weeklyHoursButton", {26, 125, 251, 40}, {26, 125, 251, 40}},
    {"legalHolidayHoursButton", {26, 172, 251, 40}, {26, 172, 251, 40}},
    {"festivalHoursButton", {26, 219, 251, 40}, {26, 219, 251, 40}},
    {"closeBar", {6, 290, 300, 17}, {6, 290, 298, 17}},
};

TEST_F(MainScreen, PicturesAndLabelsLieWhereTheScreenPutsThem)
{
    window->ShowMainScreen();

    const auto* background = Find<DragPicture>("background");
    EXPECT_EQ(background->geometry(), QRect(0, 0, 312, 312));
    EXPECT_EQ(background->pixmap().size(), QSize(312, 312));
    EXPECT_EQ(background->cursor().shape(), Qt::ArrowCursor);
    for (const ButtonPlace& expected : ButtonPlaces) {
        SCOPED_TRACE(expected.button);
        const PictureButton* button = Button(expected.button);
        const QLabel* pressed = Label((std::string(expected.button) + "Pressed").c_str());
        EXPECT_EQ(pressed, button->PressedPicture());
        EXPECT_EQ(button->geometry(), expected.place);
        EXPECT_EQ(pressed->geometry(), expected.pressedPlace);
        EXPECT_EQ(button->pixmap().size(), expected.place.size());
        EXPECT_EQ(pressed->pixmap().size(), expected.pressedPlace.size());
        EXPECT_TRUE(button->isVisible());
        EXPECT_FALSE(pressed->isVisible());
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(pressed->cursor().shape(), Qt::PointingHandCursor);
    }
    const QLabel* edition = Label("editionLabel");
    const QLabel* version = Label("versionLabel");
    EXPECT_EQ(edition->geometry(), QRect(16, 271, 137, 13));
    EXPECT_EQ(version->geometry(), QRect(259, 271, 42, 13));
    EXPECT_TRUE(version->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(version->font().bold());
    EXPECT_TRUE(edition->font().bold());
    EXPECT_EQ(edition->text(), QStringLiteral("ver."));
}

TEST_F(MainScreen, PressShowsThePressedPictureAndReleaseActs)
{
    window->ShowMainScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    Reporter()->SetState(Presence::On);
    PictureButton* closeBar = Button("closeBar");
    const QPoint middle = closeBar->rect().center();

    QTest::mousePress(closeBar, Qt::LeftButton, {}, middle);
    EXPECT_FALSE(closeBar->isVisible());
    EXPECT_TRUE(closeBar->PressedPicture()->isVisible());
    EXPECT_TRUE(window->isVisible()) << "pressing alone does not act";
    window->repaint();
    EXPECT_TRUE(closeBar->PressedPicture()->isVisible()) << "a repaint keeps a held button pressed";

    QTest::mouseRelease(closeBar, Qt::LeftButton, {}, middle);
    EXPECT_TRUE(closeBar->isVisibleTo(window));
    EXPECT_FALSE(closeBar->PressedPicture()->isVisibleTo(window));
    EXPECT_FALSE(window->isVisible()) << "the close bar hides the window in the tray";
    EXPECT_EQ(Reporter()->State(), Presence::Off);
    EXPECT_TRUE(TrayShows(Presence::Off));
}

TEST_F(MainScreen, ReleaseAwayFromTheButtonRestoresWithoutActing)
{
    window->ShowMainScreen();
    PictureButton* closeBar = Button("closeBar");

    QTest::mousePress(closeBar, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(closeBar, Qt::LeftButton, {}, QPoint(5, 40));

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(closeBar->isVisible());
    EXPECT_FALSE(closeBar->PressedPicture()->isVisible());
}

TEST_F(MainScreen, PressingAnotherButtonRestoresTheOthersAndARepaintRestoresAll)
{
    window->ShowMainScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    PictureButton* weekly = Button("weeklyHoursButton");
    PictureButton* legalHoliday = Button("legalHolidayHoursButton");
    PictureButton* festival = Button("festivalHoursButton");
    weekly->ShowPressed();

    QTest::mousePress(legalHoliday, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(weekly->isVisible());
    EXPECT_FALSE(weekly->PressedPicture()->isVisible());
    EXPECT_TRUE(legalHoliday->PressedPicture()->isVisible());
    QTest::mouseRelease(legalHoliday, Qt::LeftButton, {}, QPoint(300, 10));

    festival->ShowPressed();
    window->repaint();
    EXPECT_TRUE(festival->isVisible());
    EXPECT_FALSE(festival->PressedPicture()->isVisible());
}

TEST_F(MainScreen, DraggingTheBackgroundMovesTheWindow)
{
    window->ShowMainScreen();
    const QPoint start = window->pos();
    auto* background = Find<DragPicture>("background");

    QTest::mousePress(background, Qt::LeftButton, {}, QPoint(150, 10));
    QTest::mouseMove(background, QPoint(180, 30));
    QTest::mouseRelease(background, Qt::LeftButton, {}, QPoint(180, 30));

    EXPECT_EQ(window->pos(), start + QPoint(30, 20));
}

TEST_F(MainScreen, TrayMenuHoldsTheEntriesInOrder)
{
    QStringList captions;
    for (const QAction* action : Tray()->contextMenu()->actions())
        captions << action->text();

    EXPECT_EQ(captions,
              QStringList({"메인화면", "기본정보입력", "정상근무시간입력", "법정공휴일근무시간입력",
                           "명절근무시간입력", "홈페이지 바로가기", "끝내기"}));
}

TEST_F(MainScreen, TrayDoubleClickAndMenuShowTheMainScreenSingleClickDoesNothing)
{
    emit Tray()->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window->isVisible());
    EXPECT_THAT(messages, IsEmpty());

    emit Tray()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(312, 312));

    window->HideToTray();
    Entry("mainScreenEntry")->trigger();
    EXPECT_TRUE(window->isVisible());
}

void Click(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
}

// A button or a menu entry that opens a data-entry window; the weekly, legal-holiday and
// festival windows need the basic information.
struct GuardCase
{
    const char* name;
    bool isButton;
    bool guarded;
};

const GuardCase GuardCases[] = {
    {"basicInfoButton", true, false},        {"weeklyHoursButton", true, true},
    {"legalHolidayHoursButton", true, true}, {"festivalHoursButton", true, true},
    {"basicInfoEntry", false, false},        {"weeklyHoursEntry", false, true},
    {"legalHolidayHoursEntry", false, true}, {"festivalHoursEntry", false, true},
};

class MainScreenChoice : public MainScreen
{
protected:
    void Choose(const GuardCase& entry) const
    {
        if (entry.isButton)
            Click(Button(entry.name));
        else
            Entry(entry.name)->trigger();
    }
};

TEST_F(MainScreenChoice, GuardedEntriesWarnAndOpenTheBasicInformationWhenItIsMissing)
{
    const std::pair<QString, QString> missing[] = {{"", "12345"}, {"PC1", ""}, {"", ""}};
    for (const GuardCase& entry : GuardCases) {
        for (const auto& [comName, license] : missing) {
            SCOPED_TRACE(entry.name +
                         (" check computer=" + comName + " licence=" + license).toStdString());
            window->ShowMainScreen();
            pharmacy.checkComputer = comName;
            pharmacy.license = license;
            messages.clear();
            HideBasicInfo();

            Choose(entry);

            ASSERT_EQ(messages.size(), entry.guarded ? 1U : 0U);
            if (entry.guarded) {
                EXPECT_EQ(messages[0].text, MissingBasicInfo);
                EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
                EXPECT_EQ(messages[0].icon, MessageIcon::Error);
                EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
            }
            EXPECT_TRUE(BasicInfoShown());
        }
    }
}

TEST_F(MainScreenChoice, GuardPassesWithBothValuesEvenWhenOnlyBlanks)
{
    for (const GuardCase& entry : GuardCases) {
        SCOPED_TRACE(entry.name);
        pharmacy.checkComputer = QStringLiteral(" ");
        pharmacy.license = QStringLiteral(" ");
        messages.clear();
        HideBasicInfo();

        Choose(entry);

        EXPECT_THAT(messages, IsEmpty()) << "the guard tests the values untrimmed";
        EXPECT_EQ(BasicInfoShown(), !entry.guarded);
    }
}

TEST_F(MainScreen, AnOpenBasicInformationWindowIsReusedAndCentred)
{
    Click(Button("basicInfoButton"));
    ASSERT_EQ(BasicInfoWindows().size(), 1);
    const QPointer<BasicInfoWindow> first = BasicInfoWindows().front();
    first->hide();
    first->move(0, 0);

    Entry("basicInfoEntry")->trigger();

    EXPECT_EQ(BasicInfoWindows(), QList<BasicInfoWindow*>{first.data()});
    EXPECT_TRUE(first->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(first->pos(), QPoint((screen.width() - first->width()) / 2,
                                   (screen.height() - first->height()) / 2));
}

TEST_F(MainScreen, HomePageEntryOpensTheServiceRoot)
{
    Config.serviceHost = QStringLiteral("127.0.0.1:8949");

    Entry("homePageEntry")->trigger();

    EXPECT_THAT(addresses, ElementsAre(QUrl(QStringLiteral("http://127.0.0.1:8949/"))));
}

TEST_F(MainScreen, HideToTrayKeepsTheWindowReachableWithoutATray)
{
    trayAvailable = false;
    Reporter()->SetState(Presence::Waiting);

    window->HideToTray();
    EXPECT_TRUE(window->isVisible()) << "at the start the main screen shows instead";
    EXPECT_EQ(Reporter()->State(), Presence::Off);

    window->HideToTray();
    EXPECT_TRUE(window->isMinimized()) << "the close bar minimises it";
}

TEST_F(MainScreen, TrayPictureFollowsThePresence)
{
    EXPECT_TRUE(TrayShows(Presence::Off)) << "off from the start";
    for (const Presence state : {Presence::On, Presence::Waiting, Presence::Off}) {
        Reporter()->SetState(state);
        EXPECT_TRUE(TrayShows(state)) << static_cast<int>(state);
    }
    EXPECT_FALSE(TrayShows(Presence::On));
    EXPECT_TRUE(Tray()->isVisible()) << "the icon is shown from the start";
}

// Leaving through the exit entry: the presence timer stops and the close sends its two "off"
// reports.
TEST_F(MainScreen, ExitEntryStopsTheTimerReportsOffAndEnds)
{
    TimeCheckRecorder recorder;
    BaseUrl = recorder.BaseUrl();
    std::vector<int> pauses;
    SetPauseHandler([&](int milliseconds) {
        pauses.push_back(milliseconds);
        recorder.WaitForBodies(pauses.size());
    });
    bool ended = false;
    SetProcessEndHandler([&] { ended = true; });
    auto* timer = Find<QTimer>("presenceTimer");
    timer->start();

    Entry("exitEntry")->trigger();
    SetPauseHandler({});
    SetProcessEndHandler({});

    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(window->ClosingAllowed());
    EXPECT_TRUE(ended);
    EXPECT_THAT(pauses, ElementsAre(500, 1000));
    recorder.Stop();
    const std::regex off(PresencePattern("PC1", "12345", "off"));
    const std::vector<std::string> bodies = recorder.Bodies();
    ASSERT_EQ(bodies.size(), 2U);
    for (const std::string& body : bodies)
        EXPECT_TRUE(std::regex_match(body, off)) << body;
}

} // namespace

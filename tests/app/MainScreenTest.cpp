#include "BasicInfoWindow.h"
#include "MessageBox.h"
#include "Pause.h"
#include "ProcessEnd.h"
#include "Quillane_Define.h"
#include "Quillane_Main.h"
#include "TimeCheckRecorder.h"
#include "TrayAvailability.h"
#include "WebAddressOpener.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
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
        ComName = QStringLiteral("PC1");
        PaLicense = QStringLiteral("12345");
        CloseAllowed = false;
        SetTrayAvailabilityHandler([this] { return trayAvailable; });
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return MessageAnswer::Ok;
        });
        SetWebAddressHandler([this](const QUrl& address) { addresses.push_back(address); });
        window = new Tfrm_Quillane_Main;
    }

    void TearDown() override
    {
        delete window;
        delete frm_Kibon;
        SetTrayAvailabilityHandler({});
        SetMessageBoxHandler({});
        SetWebAddressHandler({});
        CloseAllowed = false;
    }

    bool KibonShown() const { return frm_Kibon && frm_Kibon->isVisible(); }

    bool trayAvailable = true;
    QTemporaryDir folder;
    std::vector<MessageRequest> messages;
    std::vector<QUrl> addresses;
    QPointer<Tfrm_Quillane_Main> window;
};

struct ButtonPlace
{
    PictureButton* Tfrm_Quillane_Main::*button;
    QLabel* Tfrm_Quillane_Main::*twin;
    QRect place;
    QRect twinPlace;
};

const ButtonPlace ButtonPlaces[] = {
    {&Tfrm_Quillane_Main::btn_main1,
     &Tfrm_Quillane_Main::main_img2,
     {26, 80, 251, 40},
     {26, 79, 251, 40}},
    {&Tfrm_Quillane_Main::btn_main2,
     &Tfrm_Quillane_Main::main_img3,
     {26, 125, 251, 40},
     {26, 125, 251, 40}},
    {&Tfrm_Quillane_Main::btn_main3,
     &Tfrm_Quillane_Main::main_img4,
     {26, 172, 251, 40},
     {26, 172, 251, 40}},
    {&Tfrm_Quillane_Main::btn_main4,
     &Tfrm_Quillane_Main::main_img5,
     {26, 219, 251, 40},
     {26, 219, 251, 40}},
    {&Tfrm_Quillane_Main::btn_main5,
     &Tfrm_Quillane_Main::main_img7,
     {6, 290, 300, 17},
     {6, 290, 298, 17}},
};

TEST_F(MainScreen, PicturesAndLabelsLieWhereTheScreenPutsThem)
{
    window->ShowMainScreen();

    EXPECT_EQ(window->main_img1->geometry(), QRect(0, 0, 312, 312));
    EXPECT_EQ(window->main_img1->pixmap().size(), QSize(312, 312));
    for (const ButtonPlace& expected : ButtonPlaces) {
        const PictureButton* button = window->*expected.button;
        const QLabel* twin = window->*expected.twin;
        EXPECT_EQ(button->geometry(), expected.place);
        EXPECT_EQ(twin->geometry(), expected.twinPlace);
        EXPECT_EQ(button->pixmap().size(), expected.place.size());
        EXPECT_EQ(twin->pixmap().size(), expected.twinPlace.size());
        EXPECT_TRUE(button->isVisible());
        EXPECT_FALSE(twin->isVisible());
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(twin->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(window->main_img1->cursor().shape(), Qt::ArrowCursor);
    }
    EXPECT_EQ(window->lbQX2000->geometry(), QRect(16, 271, 137, 13));
    EXPECT_EQ(window->lbVer->geometry(), QRect(259, 271, 42, 13));
    EXPECT_TRUE(window->lbVer->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(window->lbVer->font().bold());
    EXPECT_TRUE(window->lbQX2000->font().bold());
    EXPECT_EQ(window->lbQX2000->text(), QStringLiteral("ver."));
}

TEST_F(MainScreen, PressShowsThePressedPictureAndReleaseActs)
{
    window->ShowMainScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->SetPresencePicture(2);
    const QPoint middle = window->btn_main5->rect().center();

    QTest::mousePress(window->btn_main5, Qt::LeftButton, {}, middle);
    EXPECT_FALSE(window->btn_main5->isVisible());
    EXPECT_TRUE(window->main_img7->isVisible());
    EXPECT_TRUE(window->isVisible()) << "pressing alone does not act";
    window->repaint();
    EXPECT_TRUE(window->main_img7->isVisible()) << "a repaint keeps a held button pressed";

    QTest::mouseRelease(window->btn_main5, Qt::LeftButton, {}, middle);
    EXPECT_TRUE(window->btn_main5->isVisibleTo(window));
    EXPECT_FALSE(window->main_img7->isVisibleTo(window));
    EXPECT_FALSE(window->isVisible()) << "the close bar hides the window in the tray";
    EXPECT_EQ(window->PresencePicture(), 0);
    EXPECT_EQ(window->TrayIcon1->icon().cacheKey(), window->ImageList1[0].cacheKey());
}

TEST_F(MainScreen, ReleaseAwayFromTheButtonRestoresWithoutActing)
{
    window->ShowMainScreen();

    QTest::mousePress(window->btn_main5, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(window->btn_main5, Qt::LeftButton, {}, QPoint(5, 40));

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->btn_main5->isVisible());
    EXPECT_FALSE(window->main_img7->isVisible());
}

TEST_F(MainScreen, PressingAnotherButtonRestoresTheOthersAndARepaintRestoresAll)
{
    window->ShowMainScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->btn_main2->ShowPressed();

    QTest::mousePress(window->btn_main3, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(window->btn_main2->isVisible());
    EXPECT_FALSE(window->main_img3->isVisible());
    EXPECT_TRUE(window->main_img4->isVisible());
    QTest::mouseRelease(window->btn_main3, Qt::LeftButton, {}, QPoint(300, 10));

    window->btn_main4->ShowPressed();
    window->repaint();
    EXPECT_TRUE(window->btn_main4->isVisible());
    EXPECT_FALSE(window->main_img5->isVisible());
}

TEST_F(MainScreen, DraggingTheBackgroundMovesTheWindow)
{
    window->ShowMainScreen();
    const QPoint start = window->pos();

    QTest::mousePress(window->main_img1, Qt::LeftButton, {}, QPoint(150, 10));
    QTest::mouseMove(window->main_img1, QPoint(180, 30));
    QTest::mouseRelease(window->main_img1, Qt::LeftButton, {}, QPoint(180, 30));

    EXPECT_EQ(window->pos(), start + QPoint(30, 20));
}

TEST_F(MainScreen, TrayMenuHoldsTheEntriesInOrderWithPOS1Hidden)
{
    QStringList captions;
    for (const QAction* action : window->PopupMenu1->actions())
        captions << action->text();

    EXPECT_EQ(captions, QStringList({"심야 간편 POS", "메인화면", "기본정보입력",
                                     "정상근무시간입력", "법정공휴일근무시간입력",
                                     "명절근무시간입력", "홈페이지 바로가기", "끝내기"}));
    EXPECT_FALSE(window->PopupMenu1->POS1->isVisible());
    EXPECT_EQ(window->TrayIcon1->contextMenu(), window->PopupMenu1);
}

TEST_F(MainScreen, TrayDoubleClickAndMenuShowTheMainScreenSingleClickAndPOS1DoNothing)
{
    window->PopupMenu1->POS1->trigger();
    emit window->TrayIcon1->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window->isVisible());
    EXPECT_THAT(messages, IsEmpty());

    emit window->TrayIcon1->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(312, 312));

    window->HideToTray();
    window->PopupMenu1->N1->trigger();
    EXPECT_TRUE(window->isVisible());
}

struct GuardCase
{
    const char* name;
    std::function<void(Tfrm_Quillane_Main&)> choose;
    bool guarded;
};

void Click(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
}

const GuardCase GuardCases[] = {
    {"btn_main1", [](Tfrm_Quillane_Main& w) { Click(w.btn_main1); }, false},
    {"btn_main2", [](Tfrm_Quillane_Main& w) { Click(w.btn_main2); }, true},
    {"btn_main3", [](Tfrm_Quillane_Main& w) { Click(w.btn_main3); }, true},
    {"btn_main4", [](Tfrm_Quillane_Main& w) { Click(w.btn_main4); }, true},
    {"N2", [](Tfrm_Quillane_Main& w) { w.PopupMenu1->N2->trigger(); }, false},
    {"N3", [](Tfrm_Quillane_Main& w) { w.PopupMenu1->N3->trigger(); }, true},
    {"N4", [](Tfrm_Quillane_Main& w) { w.PopupMenu1->N4->trigger(); }, true},
    {"N5", [](Tfrm_Quillane_Main& w) { w.PopupMenu1->N5->trigger(); }, true},
};

TEST_F(MainScreen, GuardedEntriesWarnAndOpenTheBasicInformationWhenItIsMissing)
{
    const std::pair<QString, QString> missing[] = {{"", "12345"}, {"PC1", ""}, {"", ""}};
    for (const GuardCase& entry : GuardCases) {
        for (const auto& [comName, license] : missing) {
            SCOPED_TRACE(entry.name +
                         (" ComName=" + comName + " PaLicense=" + license).toStdString());
            window->ShowMainScreen();
            ComName = comName;
            PaLicense = license;
            messages.clear();
            delete frm_Kibon;

            entry.choose(*window);

            ASSERT_EQ(messages.size(), entry.guarded ? 1U : 0U);
            if (entry.guarded) {
                EXPECT_EQ(messages[0].text, MissingBasicInfo);
                EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
                EXPECT_EQ(messages[0].icon, MessageIcon::Error);
                EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
            }
            EXPECT_TRUE(KibonShown());
        }
    }
}

TEST_F(MainScreen, GuardPassesWithBothValuesEvenWhenOnlyBlanks)
{
    for (const GuardCase& entry : GuardCases) {
        SCOPED_TRACE(entry.name);
        ComName = QStringLiteral(" ");
        PaLicense = QStringLiteral(" ");
        messages.clear();
        delete frm_Kibon;

        entry.choose(*window);

        EXPECT_THAT(messages, IsEmpty()) << "the guard tests the values untrimmed";
        EXPECT_EQ(KibonShown(), !entry.guarded);
    }
}

TEST_F(MainScreen, AnOpenBasicInformationWindowIsReusedAndCentred)
{
    window->OpenKibon();
    const QPointer<BasicInfoWindow> first = frm_Kibon;
    first->hide();
    first->move(0, 0);

    window->PopupMenu1->N2->trigger();

    EXPECT_EQ(frm_Kibon, first);
    EXPECT_TRUE(first->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(first->pos(), QPoint((screen.width() - first->width()) / 2,
                                   (screen.height() - first->height()) / 2));
}

TEST_F(MainScreen, HomePageEntryOpensTheServiceRoot)
{
    Config.serviceHost = QStringLiteral("127.0.0.1:8949");

    window->PopupMenu1->N7->trigger();

    EXPECT_THAT(addresses, ElementsAre(QUrl(QStringLiteral("http://127.0.0.1:8949/"))));
}

TEST_F(MainScreen, HideToTrayKeepsTheWindowReachableWithoutATray)
{
    trayAvailable = false;
    window->SetPresencePicture(1);

    window->HideToTray();
    EXPECT_TRUE(window->isVisible()) << "at the start the main screen shows instead";
    EXPECT_EQ(window->PresencePicture(), 0);

    window->HideToTray();
    EXPECT_TRUE(window->isMinimized()) << "the close bar minimises it";
}

TEST_F(MainScreen, PresencePicturesFollowTheState)
{
    for (int index : {2, 1, 0}) {
        window->SetPresencePicture(index);
        EXPECT_EQ(window->PresencePicture(), index);
        EXPECT_EQ(window->TrayIcon1->icon().cacheKey(), window->ImageList1[index].cacheKey());
    }
    EXPECT_TRUE(window->TrayIcon1->isVisible()) << "the icon is shown from the start";
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
    window->tmRoutine.start();

    window->PopupMenu1->N6->trigger();
    SetPauseHandler({});
    SetProcessEndHandler({});

    EXPECT_FALSE(window->tmRoutine.isActive());
    EXPECT_TRUE(CloseAllowed);
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

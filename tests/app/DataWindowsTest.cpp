#include "app/DataWindows.h"

#include "core/program/MessageBox.h"
#include "core/program/ModalDialog.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "hours/FestivalHoursWindow.h"
#include "hours/LegalHolidayWindow.h"
#include "hours/WeeklyHoursWindow.h"
#include "registration/BasicInfoWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The windows of that kind that exist.
template <class Window> QList<Window*> Existing()
{
    QList<Window*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget))
            found << window;
    }
    return found;
}

bool CentredOnTheScreen(const QWidget& window)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return window.pos() == QPoint(screen.x() + (screen.width() - window.width()) / 2,
                                  screen.y() + (screen.height() - window.height()) / 2);
}

// The data windows of a pharmacy in an empty program folder, with a service that is not there;
// message boxes are answered and modal windows recorded.
class DataWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramFolder = folder.path() + QStringLiteral("/");
        BaseUrl = QStringLiteral("http://127.0.0.1:9/Quillane/");
        SetMessageBoxHandler([](const MessageRequest&) { return MessageAnswer::Ok; });
        SetModalDialogHandler([this](QDialog& dialog) {
            modals.push_back(&dialog);
            modalsWereFestivalWindows &= qobject_cast<FestivalHoursWindow*>(&dialog) != nullptr;
            return 0;
        });
    }

    void TearDown() override
    {
        windows.reset();
        SetMessageBoxHandler({});
        SetModalDialogHandler({});
    }

    QTemporaryDir folder;
    Pharmacy pharmacy{.license = QStringLiteral("12345"), .checkComputer = QStringLiteral("PC1")};
    std::unique_ptr<DataWindows> windows = std::make_unique<DataWindows>(pharmacy);
    std::vector<QPointer<QDialog>> modals;
    bool modalsWereFestivalWindows = true;
};

TEST_F(DataWindowsTest, EachKindIsOneWindowBroughtBackWhenAskedAgain)
{
    for (int opening = 0; opening < 2; ++opening) {
        windows->OpenBasicInfo();
        windows->OpenWeeklyHours();
        windows->OpenLegalHolidayHours();
        windows->OpenFestivalHours();
    }

    const QList<QWidget*> opened = {
        Existing<BasicInfoWindow>().value(0), Existing<WeeklyHoursWindow>().value(0),
        Existing<LegalHolidayWindow>().value(0), Existing<FestivalHoursWindow>().value(0)};
    EXPECT_EQ(Existing<BasicInfoWindow>().size(), 1);
    EXPECT_EQ(Existing<WeeklyHoursWindow>().size(), 1);
    EXPECT_EQ(Existing<LegalHolidayWindow>().size(), 1);
    EXPECT_EQ(Existing<FestivalHoursWindow>().size(), 1);
    for (const QWidget* window : opened) {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible()) << window->metaObject()->className();
        EXPECT_FALSE(window->isModal()) << window->metaObject()->className();
        EXPECT_EQ(window->parent(), nullptr);
    }

    windows.reset();
    EXPECT_TRUE(Existing<BasicInfoWindow>().isEmpty() && Existing<WeeklyHoursWindow>().isEmpty() &&
                Existing<LegalHolidayWindow>().isEmpty() &&
                Existing<FestivalHoursWindow>().isEmpty())
        << "the windows go with their owner";
}

// Each save opens a fresh legal-holiday window, which becomes the one the main window brings
// back; an earlier one stays open.
TEST_F(DataWindowsTest, AWeeklySaveOpensAFreshLegalHolidayWindowCentredAndModeless)
{
    windows->OpenWeeklyHours();
    WeeklyHoursWindow* weekly = Existing<WeeklyHoursWindow>().front();

    emit weekly->LegalHolidayHoursRequested();

    ASSERT_EQ(Existing<LegalHolidayWindow>().size(), 1);
    const QPointer<LegalHolidayWindow> first = Existing<LegalHolidayWindow>().front();
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(CentredOnTheScreen(*first));

    emit weekly->LegalHolidayHoursRequested();
    windows->OpenLegalHolidayHours();

    ASSERT_EQ(Existing<LegalHolidayWindow>().size(), 2);
    EXPECT_TRUE(first->isVisible());
    delete first;
}

// A registration in the reused window or in the sign-in's own window replaces the weekly window
// with a fresh one, centred and without a parent.
TEST_F(DataWindowsTest, ARegistrationReplacesTheWeeklyWindowWithAFreshOne)
{
    windows->OpenBasicInfo();
    BasicInfoWindow* reused = Existing<BasicInfoWindow>().front();
    const std::unique_ptr<BasicInfoWindow> signInsWindow(windows->NewBasicInfoWindow());
    for (BasicInfoWindow* basicInfo : {reused, signInsWindow.get()}) {
        windows->OpenWeeklyHours();
        const QPointer<WeeklyHoursWindow> earlier = Existing<WeeklyHoursWindow>().front();

        emit basicInfo->WeeklyHoursRequested();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        EXPECT_TRUE(earlier.isNull());
        ASSERT_EQ(Existing<WeeklyHoursWindow>().size(), 1);
        const WeeklyHoursWindow& fresh = *Existing<WeeklyHoursWindow>().front();
        EXPECT_TRUE(fresh.isVisible());
        EXPECT_EQ(fresh.parent(), nullptr);
        EXPECT_TRUE(CentredOnTheScreen(fresh));
    }
}

// A registration's requests of the main window pass on, from the reused window and the
// sign-in's own alike.
TEST_F(DataWindowsTest, ARegistrationsRequestsOfTheMainWindowPassOn)
{
    std::vector<std::string> passed;
    QObject::connect(windows.get(), &DataWindows::CheckComputerRegistered,
                     [&] { passed.push_back("check computer"); });
    QObject::connect(windows.get(), &DataWindows::SignInRequested,
                     [&] { passed.push_back("sign-in"); });
    windows->OpenBasicInfo();
    BasicInfoWindow* reused = Existing<BasicInfoWindow>().front();
    const std::unique_ptr<BasicInfoWindow> signInsWindow(windows->NewBasicInfoWindow());

    for (BasicInfoWindow* basicInfo : {reused, signInsWindow.get()}) {
        emit basicInfo->CheckComputerRegistered();
        emit basicInfo->SignInRequested();
    }

    EXPECT_EQ(passed,
              (std::vector<std::string>{"check computer", "sign-in", "check computer", "sign-in"}));
}

// The festival reminder's 근무: a fresh festival window, modal, destroyed once it closes; the
// main window's next opening creates another one.
TEST_F(DataWindowsTest, TheFestivalReminderGetsAFreshModalFestivalWindow)
{
    windows->OpenFestivalHours();
    const QPointer<FestivalHoursWindow> before = Existing<FestivalHoursWindow>().front();

    windows->ShowFestivalHoursModally();

    ASSERT_EQ(modals.size(), 1u);
    EXPECT_TRUE(modalsWereFestivalWindows);
    EXPECT_TRUE(modals.front().isNull()) << "destroyed after";
    windows->OpenFestivalHours();
    ASSERT_EQ(Existing<FestivalHoursWindow>().size(), 2);
    for (FestivalHoursWindow* window : Existing<FestivalHoursWindow>()) {
        if (window != before) {
            EXPECT_TRUE(window->isVisible());
        }
    }
    delete before;
}

} // namespace

#include "core/program/PictureButton.h"
#include "tests/hours/WeeklyHoursWindowFixture.h"

namespace {

const std::string FetchBody =
    std::string("P_select  =1&P_LICENSE    =12345&P_Comname    =COUNTER-PC"
                "&P_TIME1_S   =&P_TIME1_e   =&P_night_day   =&P_night_time1_e   ="
                "&P_TIME2_s   =&P_TIME2_e   =&P_TIME3_S   =&P_TIME3_E   ="
                "&P_SunDay1   =&P_SunDay2   =&P_SunDay3   =&P_SunDay4   ="
                "&P_SunDay5   =&P_Operate   =") +
    '\0';
const std::string SundayFetchBody =
    std::string("P_select  =1&P_LICENSE    =12345&P_e_day    =&P_time1_s   =&P_time1_e   =") + '\0';
const std::string SavedMessage = "정상근무시간 데이터가 저장되었습니다";

// A user's pick in a list: the selection, then the list's own announcement of it.
void Pick(QComboBox* list, const QString& item)
{
    const int index = list->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// A click on a picture button: the press shows its twin, the release acts.
void ClickPicture(PictureButton* button)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(button->PressedPicture(), Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(WeeklyHoursWindowTest, ShowingFetchesBothPagesAndFillsTheRowsFromTheAnswer)
{
    ShowAndWaitForRows();

    EXPECT_EQ(Bodies("normal3.asp"), std::vector<std::string>{FetchBody});
    EXPECT_EQ(Bodies("SunDay.asp"), std::vector<std::string>{SundayFetchBody});
    EXPECT_EQ(RowsState(), ExampleRows);
    EXPECT_EQ(window->LastRequest(), HoursRequest::Fetch);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(window->isVisible());
}

// A save made by a user after the fetch: the weekday end moved to the next day, the night duty
// ticked on Wednesday, Saturday cleared, week 2 ticked with a start pick that moves its end,
// then the end picked.
TEST_F(WeeklyHoursWindowTest, SaveSendsTheUsersRowsAndItsAnswerOpensTheLegalHolidayWindow)
{
    ShowAndWaitForRows();
    Pick(Control<QComboBox>("weekdaysEnd"), QStringLiteral("익일 1시"));
    Control<QCheckBox>("nightDutyWorking")->click();
    Pick(Control<QComboBox>("nightDutyDay"), QStringLiteral("수요일"));
    Pick(Control<QComboBox>("nightDutyEnd"), QStringLiteral("22:00"));
    Control<QCheckBox>("saturdayWorking")->click();
    Control<QCheckBox>("week2Working")->click();
    Pick(Control<QComboBox>("week2Start"), QStringLiteral("10:00"));
    EXPECT_EQ(Control<QComboBox>("week2End")->currentText(), QStringLiteral("10:30"));
    Pick(Control<QComboBox>("week2End"), QStringLiteral("18:00"));

    ClickPicture(Control<PictureButton>("saveButton"));
    ASSERT_TRUE(WaitForBodies("normal3.asp", 2));

    const std::string saveBody =
        std::string("P_select  =2&P_LICENSE    =12345&P_Comname    =COUNTER-PC"
                    "&P_TIME1_S   =09:00&P_TIME1_E   =25:00"
                    "&P_TIME2_S   =:&P_TIME2_E   =:&P_TIME3_S   =:&P_TIME3_E   =:"
                    "&P_night_day   =4&P_night_time1_e   =22:00"
                    "&P_SunDay1   =:&P_SunDay2   =10:00,18:00&P_SunDay3   =:"
                    "&P_SunDay4   =:&P_SunDay5   =:&P_Operate   =0") +
        '\0';
    EXPECT_EQ(Bodies("normal3.asp").back(), saveBody);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(), SavedMessage);
    EXPECT_EQ(messages[0].caption, QStringLiteral("초록우체통"));
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(RowsState(), ExampleRows) << "the save's answer fills the rows first";
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(legalHolidayRequests, 1) << "the legal-holiday window comes next";
}

TEST_F(WeeklyHoursWindowTest, AnErrorPageAfterTheSaveShowsNothingAndTheWindowStaysOpen)
{
    ShowAndWaitForRows();
    SetAnswers(QStringLiteral("500 - 내부 서버 오류"), sundayAnswer);
    ClickPicture(Control<PictureButton>("saveButton"));
    ASSERT_TRUE(WaitForBodies("normal3.asp", 2));

    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(legalHolidayRequests, 0);
    EXPECT_EQ(window->LastRequest(), HoursRequest::Save);
    EXPECT_EQ(RowsState(), ExampleRows);
}

// 입력완료 pressed before the fetch's answer has filled the rows sends nothing: the rows would go
// out as not working.
TEST_F(WeeklyHoursWindowTest, TheSaveWaitsForTheFetchsAnswer)
{
    window->show();
    ClickPicture(Control<PictureButton>("saveButton"));
    EXPECT_EQ(window->Fetched(), FetchState::Pending);
    ASSERT_TRUE(WaitForBodies("normal3.asp", 1));
    ASSERT_TRUE(WaitForBodies("SunDay.asp", 1));
    QTest::qWait(200);
    EXPECT_EQ(Bodies("normal3.asp"), std::vector<std::string>{FetchBody}) << "no save";
    EXPECT_EQ(window->LastRequest(), HoursRequest::Fetch);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(RowsState(), ExampleRows);

    ClickPicture(Control<PictureButton>("saveButton"));
    ASSERT_TRUE(WaitForBodies("normal3.asp", 2));
    EXPECT_EQ(window->LastRequest(), HoursRequest::Save);
}

// A fetch answered by an error page, or by records that cannot be read, says so; 입력완료 then
// says it again and sends nothing.
TEST_F(WeeklyHoursWindowTest, AFailedFetchSaysSoAndTheSaveSendsNothing)
{
    for (const QString& answer : {QStringLiteral("500 - 내부 서버 오류"),
                                  QStringLiteral("09:15]19:00]]:]:]:]:]:]:]:]:]:]:]0")}) {
        SCOPED_TRACE(answer.toStdString());
        messages.clear();
        SetAnswers(answer, sundayAnswer);
        const std::size_t fetches = Bodies("normal3.asp").size();
        window->hide();
        window->show();
        ASSERT_TRUE(WaitForBodies("normal3.asp", fetches + 1));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }));
        EXPECT_EQ(window->Fetched(), FetchState::Failed);
        ClickPicture(Control<PictureButton>("saveButton"));
        QTest::qWait(200);
        EXPECT_EQ(Bodies("normal3.asp").size(), fetches + 1) << "no save";
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[1].text, QStringLiteral("서버에서 근무시간을 불러오지 못했습니다.\r\n"
                                                   "창을 닫고 다시 열어 주십시오"));
        EXPECT_EQ(messages[1].caption, QStringLiteral("경고"));
        EXPECT_EQ(messages[1].icon, MessageIcon::Error);
    }
}

TEST_F(WeeklyHoursWindowTest, ReentryPutsTypicalHoursAndKeepsTheTicksWithoutSending)
{
    ShowAndWaitForRows();
    ClickPicture(Control<PictureButton>("reenterButton"));
    QCoreApplication::processEvents();

    EXPECT_EQ(RowsState(),
              QStringLiteral("x 09:00-19:00 | - 월요일-21:00 | x 09:00-13:00 | - 10:00-18:00 | "
                             "- 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | "
                             "- 00:00-00:00 | op0"));
    EXPECT_EQ(Bodies("normal3.asp").size(), 1u);
    EXPECT_EQ(window->LastRequest(), HoursRequest::Fetch);
}

// Only a user's pick in a start list moves the end list; the night duty's day list has no end
// to move.
TEST_F(WeeklyHoursWindowTest, PickingAStartSelectsTheNextHalfHourAsTheEnd)
{
    const struct
    {
        QComboBox* start;
        QComboBox* end;
        const char* pick;
        const char* end_shown;
    } cases[] = {
        {Control<QComboBox>("weekdaysStart"), Control<QComboBox>("weekdaysEnd"), "24:00", "24:30"},
        {Control<QComboBox>("everySundayStart"), Control<QComboBox>("everySundayEnd"), "00:00",
         "00:30"},
        {Control<QComboBox>("week5Start"), Control<QComboBox>("week5End"), "09:00", "09:30"},
        {Control<QComboBox>("sundayStart"), Control<QComboBox>("sundayEnd"), "24:00", "24:30"},
        {Control<QComboBox>("nightDutyDay"), Control<QComboBox>("nightDutyEnd"), "수요일",
         "00:00"}};
    for (const auto& pick : cases) {
        Pick(pick.start, QString::fromUtf8(pick.pick));
        EXPECT_EQ(pick.end->currentText().toStdString(), pick.end_shown) << pick.pick;
        pick.start->setCurrentIndex(3);
        EXPECT_EQ(pick.end->currentText().toStdString(), pick.end_shown)
            << "a selection by program leaves the end";
    }
}

TEST_F(WeeklyHoursWindowTest, TheCloseBarHidesTheWindowAndShowingItAgainFetchesAnew)
{
    ShowAndWaitForRows();
    const QPointer<WeeklyHoursWindow> kept = window;
    QTest::keyClick(window, Qt::Key_Escape);
    ASSERT_TRUE(window->isVisible()) << "Escape does not close the window";
    ClickPicture(Control<PictureButton>("closeBar"));
    EXPECT_FALSE(window->isVisible());
    ASSERT_FALSE(kept.isNull());

    SetAnswers(QStringLiteral("10:00]20:00]6]25:00]:]:]:]:]:]:]:]:]:]1"), sundayAnswer);
    window->show();
    ASSERT_TRUE(WaitForBodies("normal3.asp", 2));
    EXPECT_EQ(Bodies("normal3.asp").back(), FetchBody);
    EXPECT_EQ(RowsState(),
              QStringLiteral("x 10:00-20:00 | x 금요일-익일 1시 | - 00:00-00:00 | - 00:00-00:00 | "
                             "- 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | "
                             "- 00:00-00:00 | op1"));
}

// A fresh window: boxes clear and enabled, lists at their first items and disabled, the end list
// of the single Sundays without a selection, the first operation type selected, two of its
// captions and the night-opening note hidden.
TEST_F(WeeklyHoursWindowTest, AFreshWindowShowsItsDesignState)
{
    EXPECT_EQ(RowsState(),
              QStringLiteral("- 00:00-00:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | "
                             "- 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | "
                             "- 00:00-00:00 | op0"));
    EXPECT_EQ(Control<QComboBox>("weekdaysStart")->count(), 49);
    EXPECT_EQ(Control<QComboBox>("weekdaysEnd")->count(), 61);
    EXPECT_EQ(Control<QComboBox>("weekdaysEnd")->itemText(60), QStringLiteral("익일 6시"));
    EXPECT_EQ(Control<QComboBox>("sundayEnd")->currentIndex(), -1);
    window->show();
    for (const QWidget* hidden :
         {Control<QLabel>("nightCaption"), Control<QLabel>("openAllYearAndNightCaption"),
          Control<QLabel>("nightOpeningNote")})
        EXPECT_FALSE(hidden->isVisible());
    for (const QWidget* shown :
         {static_cast<QWidget*>(Control<QRadioButton>("nightOperation")),
          static_cast<QWidget*>(Control<QRadioButton>("openAllYearAndNightOperation"))})
        EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(window->size(), QSize(500, 600));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("초록우체통 정상 근무시간"));
}

struct AnswerCase
{
    const char* name;
    const char* answer;
    const char* rows;    // RowsState() after the answer
    const char* message; // a part of the one warning, or empty for none
};

// The rows as filled by an answer that sets every row, before each case's answer.
const QString PriorAnswer =
    QStringLiteral("08:00]20:00]3]23:00]08:30]14:00]10:00]17:00]01:00,02:00]"
                   "02:00,03:00]03:00,04:00]04:00,05:00]05:00,06:00]1");
const char* const PriorRows =
    "x 08:00-20:00 | x 화요일-23:00 | x 08:30-14:00 | x 10:00-17:00 | x 01:00-02:00 | "
    "x 02:00-03:00 | x 03:00-04:00 | x 04:00-05:00 | x 05:00-06:00 | op1";

class WeeklyAnswers : public WeeklyHoursWindowTest, public ::testing::WithParamInterface<AnswerCase>
{
};

// Good answers fill every row; a bad one stops the filling at its record with one warning, the
// rows before it keeping their new state and the others their old one.
TEST_P(WeeklyAnswers, FillTheRowsUpToTheFirstBadRecord)
{
    WeeklyAnswerArrives(HoursRequest::Fetch, PriorAnswer);
    ASSERT_EQ(RowsState().toStdString(), PriorRows);

    WeeklyAnswerArrives(HoursRequest::Save, QString::fromUtf8(GetParam().answer));

    EXPECT_EQ(RowsState().toStdString(), GetParam().rows);
    const std::string expected = GetParam().message;
    if (expected.empty()) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text.toStdString(), SavedMessage);
        return;
    }
    ASSERT_EQ(messages.size(), 1u) << "one warning and no saved message";
    EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messages[0].text.toStdString().find(expected), std::string::npos)
        << messages[0].text.toStdString();
    EXPECT_EQ(legalHolidayRequests, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, WeeklyAnswers,
    ::testing::Values(
        AnswerCase{"Example", "09:00]19:00]]:]09:00]13:00]:]:]:]:]:]:]:]0",
                   "x 09:00-19:00 | - 월요일-00:00 | x 09:00-13:00 | - 00:00-00:00 | - 00:00-00:00 "
                   "| - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op0",
                   ""},
        AnswerCase{"NightDutyOnFridayAndOpenAllYear", "09:00]19:00]6]22:00]:]:]:]:]:]:]:]:]:]3",
                   "x 09:00-19:00 | x 금요일-22:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 "
                   "| - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op3",
                   ""},
        AnswerCase{"WeekEndingOnTheNextDayAndPaddedRecords",
                   " 09:00 ]\r\n19:00]]:]:]:]:]:]10:00,25:00]:]:]:]24:00,30:00]0",
                   "x 09:00-19:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | x "
                   "10:00-익일 1시 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | x "
                   "24:00-익일 6시 | op0",
                   ""},
        AnswerCase{"OnlyTheStartRecordIsTested", "]19:00]]:]:]13:00]:]:]:]:]:]:]:]1",
                   "- 00:00-00:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 "
                   "| - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op1",
                   ""},
        AnswerCase{"UnknownOperationTypeLeavesTheSelection", "09:00]19:00]]:]:]:]:]:]:]:]:]:]:]4",
                   "x 09:00-19:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 "
                   "| - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op1",
                   ""},
        AnswerCase{"EmptyOperationTypeLeavesTheSelection", "09:00]19:00]]:]:]:]:]:]:]:]:]:]:]",
                   "x 09:00-19:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 "
                   "| - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op1",
                   ""},
        AnswerCase{"WeekWithALeadingSpace", "09:00]19:00]]:]:]:]:]:]:] 10:00,18:00]:]:]:]0",
                   "x 09:00-19:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 "
                   "| x 02:00-03:00 | x 03:00-04:00 | x 04:00-05:00 | x 05:00-06:00 | op1",
                   "'10:0'"},
        AnswerCase{"WeekShorterThanItsLayout", "09:00]19:00]]:]:]:]:]:]10:00]:]:]:]:]0",
                   "x 09:00-19:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | x 01:00-02:00 "
                   "| x 02:00-03:00 | x 03:00-04:00 | x 04:00-05:00 | x 05:00-06:00 | op1",
                   "''"},
        AnswerCase{"TimeOffTheGrid", "09:15]19:00]]:]:]:]:]:]:]:]:]:]:]0", PriorRows, "'09:15'"},
        AnswerCase{"EndOffTheGrid", "09:00]30:30]]:]:]:]:]:]:]:]:]:]:]0", PriorRows, "'30:30'"},
        AnswerCase{"StartWithoutAnItemInTheStartList", "25:00]26:00]]:]:]:]:]:]:]:]:]:]:]0",
                   PriorRows, "'25:00'"},
        AnswerCase{"NightDutyDayNotANumber", "09:00]19:00]수]22:00]:]:]:]:]:]:]:]:]:]0",
                   "x 09:00-19:00 | x 화요일-23:00 | x 08:30-14:00 | x 10:00-17:00 | x 01:00-02:00 "
                   "| x 02:00-03:00 | x 03:00-04:00 | x 04:00-05:00 | x 05:00-06:00 | op1",
                   "'수'"},
        AnswerCase{"NightDutyOnSunday", "09:00]19:00]1]22:00]:]:]:]:]:]:]:]:]:]0",
                   "x 09:00-19:00 | x 화요일-23:00 | x 08:30-14:00 | x 10:00-17:00 | x 01:00-02:00 "
                   "| x 02:00-03:00 | x 03:00-04:00 | x 04:00-05:00 | x 05:00-06:00 | op1",
                   "'1'"},
        AnswerCase{"FewerRecords", "09:00]19:00]]:]09:00",
                   "x 09:00-19:00 | - 월요일-00:00 | x 08:30-14:00 | x 10:00-17:00 | x 01:00-02:00 "
                   "| x 02:00-03:00 | x 03:00-04:00 | x 04:00-05:00 | x 05:00-06:00 | op1",
                   "6번째"},
        AnswerCase{"NoOperationRecord", "09:00]19:00]]:]:]:]:]:]:]:]:]:]:",
                   "x 09:00-19:00 | - 월요일-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 "
                   "| - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op1",
                   "14번째"},
        AnswerCase{"EmptyPage", "", PriorRows, "0개"}),
    [](const ::testing::TestParamInfo<AnswerCase>& param) { return param.param.name; });

// Error pages and completions without an address change nothing and show nothing.
TEST_F(WeeklyHoursWindowTest, ErrorPagesAndEmptyAddressesAreIgnored)
{
    WeeklyAnswerArrives(HoursRequest::Fetch, PriorAnswer);
    for (const QString& page :
         {QStringLiteral("표시할 페이지가 없습니다"), QStringLiteral("HTTP 500 내부 서버 오류")})
        WeeklyAnswerArrives(HoursRequest::Save, page);
    window->AnswerArrived(HoursRequest::Save, {},
                          QStringLiteral("09:00]19:00]]:]:]:]:]:]:]:]:]:]:]0"));
    EXPECT_EQ(RowsState().toStdString(), PriorRows);
    EXPECT_TRUE(messages.empty());
}

} // namespace

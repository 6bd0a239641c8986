#include "hours/FestivalHoursWindow.h"
#include "hours/LegalHolidayWindow.h"
#include "tests/hours/DayHoursFixture.h"

#include <gmock/gmock.h>
#include <memory>

// The behaviour the legal-holiday and festival windows share, tested on both.

namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

enum class Window
{
    LegalHoliday,
    Festival,
};

std::string NameOf(Window window)
{
    return window == Window::LegalHoliday ? "LegalHoliday" : "Festival";
}

std::unique_ptr<DayHoursWindow> NewWindow(Window window)
{
    if (window == Window::LegalHoliday)
        return std::make_unique<LegalHolidayWindow>();
    return std::make_unique<FestivalHoursWindow>();
}

QString PageOf(Window window)
{
    return window == Window::LegalHoliday ? QStringLiteral("holiday.asp")
                                          : QStringLiteral("festival1.asp");
}

class BothWindows : public DayHoursFixture, public ::testing::WithParamInterface<Window>
{
};

TEST_P(BothWindows, ResetClearsBoxesAndTimesAndKeepsNamesAndDates)
{
    Serve(PageOf(GetParam()).toStdString(), {"2026-01-0109:0025:00신정]]2026-01-0200:0000:30신정"});
    const std::unique_ptr<DayHoursWindow> window = NewWindow(GetParam());
    window->show();
    ASSERT_TRUE(WaitForAnswers(*window, 1));
    ASSERT_EQ(ShownRows(*window)[0], "신정|2026-01-01|on|09:00|익일 1시");

    Press(Button(*window, "resetButton"));

    const std::vector<std::string> rows = ShownRows(*window);
    EXPECT_EQ(rows[0], "신정|2026-01-01|off|00:00|00:00");
    EXPECT_EQ(rows[1], "-");
    EXPECT_EQ(rows[2], "신정|2026-01-02|off|00:00|00:00");
    EXPECT_EQ(window->LastRequest(), HoursRequest::Fetch);
    QCoreApplication::processEvents();
    EXPECT_EQ(Bodies().size(), 1u) << "nothing sent";
}

INSTANTIATE_TEST_SUITE_P(Windows, BothWindows,
                         ::testing::Values(Window::LegalHoliday, Window::Festival),
                         [](const ::testing::TestParamInfo<Window>& param) {
                             return NameOf(param.param);
                         });

// The page handling, given the answer text: the rows as the user then sees them and whether the
// pharmacist is warned. A case holds for the windows it names; the festival window shows only
// the days of the festival its first shown record names.
struct AnswerCase
{
    const char* name;
    std::vector<Window> windows;
    const char* text;
    std::vector<std::string> rows; // rows 1, 2, ...; the rest stay hidden
    int unreadRow = 0;             // 0: no warning; -1: the fetch failed
};

const std::vector<Window> Both = {Window::LegalHoliday, Window::Festival};
const std::vector<Window> LegalHolidayOnly = {Window::LegalHoliday};
const std::vector<Window> FestivalOnly = {Window::Festival};

const char* const TenRecords = "2026-01-010000000000A]2026-01-020000000000B]"
                               "2026-01-030000000000C]2026-01-040000000000D]"
                               "2026-01-050000000000E]2026-01-060000000000F]"
                               "2026-01-070000000000G]2026-01-080000000000H]"
                               "2026-01-090000000000I]2026-01-1009:1500000J";

const AnswerCase AnswerCases[] = {
    {"ThreeRecords",
     LegalHolidayOnly,
     "2026-01-010000000000신정]2026-03-0109:0018:00삼일절]2026-05-0500:0000:30어린이날",
     {"신정|2026-01-01|off|00:00|00:00", "삼일절|2026-03-01|on|09:00|18:00",
      "어린이날|2026-05-05|on|00:00|00:30"}},
    {"EmptyRecordKeepsItsRowHidden",
     LegalHolidayOnly,
     "2026-01-010000000000신정]]2026-05-0509:0025:00어린이날]",
     {"신정|2026-01-01|off|00:00|00:00", "-", "어린이날|2026-05-05|on|09:00|익일 1시"}},
    {"BlankRecordAndLineBreaks",
     LegalHolidayOnly,
     "\r\n  2026-01-010000000000신정  ] \t ]\r\n2026-05-0509:0030:00어린이날\r\n",
     {"신정|2026-01-01|off|00:00|00:00", "-", "어린이날|2026-05-05|on|09:00|익일 6시"}},
    {"DayOffEndIsNotRead", Both, "2026-01-0100000xxxxx신정", {"신정|2026-01-01|off|00:00|00:00"}},
    {"EndOfZerosIsMidnight", Both, "2026-01-0109:0000000신정", {"신정|2026-01-01|on|09:00|00:00"}},
    {"StartAtEndOfDay", Both, "2026-01-0124:0024:30신정", {"신정|2026-01-01|on|24:00|24:30"}},
    {"NameWithBlanksInside",
     Both,
     "2026-12-2510:0020:00기독 탄신일",
     {"기독 탄신일|2026-12-25|on|10:00|20:00"}},
    {"NineRowsOnlyOfTen",
     LegalHolidayOnly,
     TenRecords,
     {"A|2026-01-01|off|00:00|00:00", "B|2026-01-02|off|00:00|00:00",
      "C|2026-01-03|off|00:00|00:00", "D|2026-01-04|off|00:00|00:00",
      "E|2026-01-05|off|00:00|00:00", "F|2026-01-06|off|00:00|00:00",
      "G|2026-01-07|off|00:00|00:00", "H|2026-01-08|off|00:00|00:00",
      "I|2026-01-09|off|00:00|00:00"}},
    {"ErrorPage", Both, "2026-01-010000000000신정]500 - 내부 서버 오류", {}, -1},
    {"BrowsersErrorPage", Both, "이 페이지를 표시할 페이지가 없습니다", {}, -1},
    {"EmptyPage", Both, "", {}},
    {"StartOffTheGrid",
     LegalHolidayOnly,
     "2026-01-010000000000신정]2026-03-0109:1518:00삼일절]2026-05-050000000000어린이날",
     {"신정|2026-01-01|off|00:00|00:00"},
     2},
    {"EndOffTheGrid", Both, "2026-01-0109:0030:30신정", {}, 1},
    {"ShortNumberForATime",
     LegalHolidayOnly,
     "2026-01-010000000000신정]2026-03-01 0900 1800삼일절",
     {"신정|2026-01-01|off|00:00|00:00"},
     2},
    {"RecordShorterThanItsLayout",
     LegalHolidayOnly,
     "2026-01-010000000000신정]2026-03-0109:00",
     {"신정|2026-01-01|off|00:00|00:00"},
     2},
    {"DateOnly", Both, "2026-03-01", {}, 1},
    {"PlainText", Both, "Y", {}, 1},
    {"AnotherFestivalStaysHidden",
     FestivalOnly,
     "2027-02-0509:0018:00설날]2027-02-060000000000설날]2027-02-070000000000설날]"
     "2027-09-1409:0018:00추석]2027-09-150000000000추석]2027-09-160000000000추석",
     {"설날|2027-02-05|on|09:00|18:00", "설날|2027-02-06|off|00:00|00:00",
      "설날|2027-02-07|off|00:00|00:00"}},
    {"TheFirstNameShownAgainAfterAnother",
     FestivalOnly,
     "2027-02-050000000000A]2027-02-060000000000B]2027-02-070000000000A",
     {"A|2027-02-05|off|00:00|00:00", "-", "A|2027-02-07|off|00:00|00:00"}},
    {"AnEmptyFirstRecord",
     FestivalOnly,
     "]2027-02-060000000000B]2027-02-070000000000A",
     {"-", "B|2027-02-06|off|00:00|00:00"}},
    {"NamesBeginningWithABlank",
     FestivalOnly,
     "2027-02-050000000000 설날]2027-02-060000000000 설날",
     {" 설날|2027-02-05|off|00:00|00:00"}},
    {"TwelveDays",
     FestivalOnly,
     "2027-02-010000000000A]2027-02-020000000000A]2027-02-030000000000A]"
     "2027-02-040000000000A]2027-02-050000000000A]2027-02-060000000000A]"
     "2027-02-070000000000A]2027-02-080000000000A]2027-02-090000000000A]"
     "2027-02-1009:0030:00A]2027-02-110000000000A]2027-02-12",
     {"A|2027-02-01|off|00:00|00:00", "A|2027-02-02|off|00:00|00:00",
      "A|2027-02-03|off|00:00|00:00", "A|2027-02-04|off|00:00|00:00",
      "A|2027-02-05|off|00:00|00:00", "A|2027-02-06|off|00:00|00:00",
      "A|2027-02-07|off|00:00|00:00", "A|2027-02-08|off|00:00|00:00",
      "A|2027-02-09|off|00:00|00:00", "A|2027-02-10|on|09:00|익일 6시"}},
    {"UnreadableDayOfAnotherFestivalIsPassedOver",
     FestivalOnly,
     "2027-02-050000000000A]2027-09-1409:15xxxxxB]2027-02-070000000000A",
     {"A|2027-02-05|off|00:00|00:00", "-", "A|2027-02-07|off|00:00|00:00"}},
    {"UnreadableDayOfTheSameName",
     Both,
     "2027-02-050000000000A]2027-02-0609:1518:00A]2027-02-070000000000A",
     {"A|2027-02-05|off|00:00|00:00"},
     2},
};

struct WindowAnswer
{
    Window window;
    const AnswerCase* answer;
};

std::vector<WindowAnswer> WindowAnswers()
{
    std::vector<WindowAnswer> all;
    for (const AnswerCase& answer : AnswerCases) {
        for (const Window window : answer.windows)
            all.push_back({window, &answer});
    }
    return all;
}

class DayHoursAnswer : public DayHoursFixture, public ::testing::WithParamInterface<WindowAnswer>
{
};

TEST_P(DayHoursAnswer, FillsRowsByRecordPosition)
{
    const AnswerCase& c = *GetParam().answer;
    const std::unique_ptr<DayHoursWindow> window = NewWindow(GetParam().window);

    window->AnswerArrived(HoursRequest::Fetch,
                          QStringLiteral("http://host/Quillane/") + PageOf(GetParam().window),
                          QString::fromUtf8(c.text));

    std::vector<std::string> expected = c.rows;
    expected.resize(static_cast<std::size_t>(RowCount(*window)), "-");
    EXPECT_THAT(ShownRows(*window), ElementsAreArray(expected));
    if (c.unreadRow == 0) {
        EXPECT_THAT(messages, IsEmpty());
    } else if (c.unreadRow < 0) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("서버에서 근무시간을 불러오지 못했습니다.\r\n"
                                                   "창을 닫고 다시 열어 주십시오"));
        EXPECT_EQ(window->Fetched(), FetchState::Failed);
    } else {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
        EXPECT_EQ(messages[0].icon, MessageIcon::Error);
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("%1번째").arg(c.unreadRow)))
            << messages[0].text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, DayHoursAnswer, ::testing::ValuesIn(WindowAnswers()),
                         [](const ::testing::TestParamInfo<WindowAnswer>& param) {
                             return NameOf(param.param.window) + "_" + param.param.answer->name;
                         });

} // namespace

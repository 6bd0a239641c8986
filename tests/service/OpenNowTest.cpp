#include "tests/service/FormBody.h"
#include "tests/service/InProcessService.h"
#include "tests/service/ListingPage.h"

#include <gtest/gtest.h>

namespace {

// 서연온누리약국 (23456) registers everything through the pages, each with the clock where the
// program would send it:
// weekdays 09:00-19:00, Thursday night duty until 01:30, Saturday 09:00-13:00, no Sunday hours
// except the third Sunday 10:00-01:00; the specific dates 2027-08-15 09:00-15:00 (광복절 on a
// Sunday) and 2027-09-26 from 10:00 without an end; 어린이날 2027 10:00-00:30, 한글날 2027 not
// worked; 추석 2027 first day 20:00-02:00, second 09:00-13:00, third (a Thursday) not worked;
// the reminder's "working" for 개천절 2027 (a Sunday) and 성탄절 2027 (a Saturday).
class OpenNowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        At({2027, 4, 1}, {10, 0});
        Post("INPUT3.asp",
             "P_PANAME       =박서연&P_PALICENSE  =23456&P_CNAME      =서연온누리약국"
             "&P_ZIP1       =100&P_ZIP2       =070&P_ADDRESS1   =서울특별시&P_ADDRESS2   =중구"
             "&P_ADDRESS3   =소공동&P_ADDRESS4   =소공로 55&P_PHONE      =02-752-4321"
             "&P_MOBILE     =&P_FAX        =&P_LOCATION   =&P_COMNAME    =SEOYEON-PC"
             "&P_JUMINNUM   =7208242&P_CHK        =1");
        Post("normal3.asp",
             "P_select  =2&P_LICENSE    =23456&P_Comname    =SEOYEON-PC&P_TIME1_S   =09:00"
             "&P_TIME1_E   =19:00&P_TIME2_S   =09:00&P_TIME2_E   =13:00&P_TIME3_S   =:"
             "&P_TIME3_E   =:&P_night_day   =5&P_night_time1_e   =25:30&P_SunDay1   =:"
             "&P_SunDay2   =:&P_SunDay3   =10:00,25:00&P_SunDay4   =:&P_SunDay5   =:"
             "&P_Operate   =0");
        Post("SunDay.asp", "P_select  =2&P_LICENSE    =23456&P_e_day    =2027-08-15"
                           "&P_time1_s   =09:00&P_time1_e   =15:00");
        Post("SunDay.asp", "P_select  =2&P_LICENSE    =23456&P_e_day    =2027-09-26"
                           "&P_time1_s   =10:00&P_time1_e   =");
        Post("holiday.asp", "P_select  =2&P_LICENSE    =23456&P_TIME_S3   =10:00"
                            "&P_TIME_E3   =24:30&P_TIME_D3   =2027-05-05&P_TIME_S8   =0"
                            "&P_TIME_E8   =0&P_TIME_D8   =2027-10-09");
        At({2027, 9, 1}, {10, 0});
        Post("festival1.asp", "P_select  =2&P_LICENSE    =23456&P_TIME_S1   =20:00"
                              "&P_TIME_E1   =26:00&P_TIME_D1   =2027-09-14&P_TIME_S2   =09:00"
                              "&P_TIME_E2   =13:00&P_TIME_D2   =2027-09-15&P_TIME_S3   =0"
                              "&P_TIME_E3   =0&P_TIME_D3   =2027-09-16");
        At({2027, 9, 28}, {10, 0});
        Post("hdaycheck.asp", "P_Gubun = 1&P_PALICENSE =23456&P_TIME_S1   =00:00"
                              "&P_TIME_E1   =00:00&P_TIME_D1   =2027-10-03");
        At({2027, 12, 20}, {10, 0});
        Post("hdaycheck.asp", "P_Gubun = 1&P_PALICENSE =23456&P_TIME_S1   =00:00"
                              "&P_TIME_E1   =00:00&P_TIME_D1   =2027-12-25");
    }

    void At(QDate day, QTime time) { service.SetClock({day, time}); }

    void Post(const char* page, const std::string& body)
    {
        const auto result = service.Post(page, FormBody(body));
        ASSERT_TRUE(result);
        ASSERT_EQ(result->status, 200) << page;
    }

    std::string Listing()
    {
        const auto page = service.Get("/");
        EXPECT_TRUE(page);
        return page ? page->body : std::string();
    }

    InProcessService service;
};

} // namespace

TEST_F(OpenNowTest, ListingDecidesOpenNowAsThePagesDecideEachDay)
{
    const struct
    {
        const char* what;
        QDate day;
        QTime time;
        const char* state;
    } cases[] = {
        {"weekday", {2027, 9, 8}, {10, 0}, "open"},
        {"weekday before opening", {2027, 9, 8}, {8, 59}, "closed"},
        {"weekday at the closing time", {2027, 9, 8}, {19, 0}, "closed"},
        {"Wednesday is no duty night", {2027, 9, 8}, {20, 0}, "closed"},
        {"Thursday duty night", {2027, 9, 9}, {23, 0}, "open"},
        {"Friday 00:45 after the Thursday duty", {2027, 9, 10}, {0, 45}, "open"},
        {"Friday 01:30, the duty is over", {2027, 9, 10}, {1, 30}, "closed"},
        {"Saturday", {2027, 9, 11}, {12, 0}, "open"},
        {"Saturday afternoon", {2027, 9, 11}, {13, 30}, "closed"},
        {"second Sunday: no Sunday hours", {2027, 9, 12}, {12, 0}, "closed"},
        {"third Sunday", {2027, 9, 19}, {12, 0}, "open"},
        {"Monday 00:30 after the third Sunday until 01:00", {2027, 9, 20}, {0, 30}, "open"},
        {"Monday 01:00", {2027, 9, 20}, {1, 0}, "closed"},
        {"광복절 on a Sunday: its specific-date entry", {2027, 8, 15}, {12, 0}, "open"},
        {"광복절 on a Sunday after the entry's end (week 3 would say open)",
         {2027, 8, 15},
         {16, 0},
         "closed"},
        {"its substitute holiday has no row: Monday hours", {2027, 8, 16}, {10, 0}, "open"},
        {"Monday 00:30 after the specific Sunday", {2027, 8, 16}, {0, 30}, "closed"},
        {"어린이날 (Wednesday) before its holiday hours", {2027, 5, 5}, {9, 30}, "closed"},
        {"어린이날 evening", {2027, 5, 5}, {20, 0}, "open"},
        {"Thursday 00:15 after 어린이날 until 00:30", {2027, 5, 6}, {0, 15}, "open"},
        {"Thursday 00:45", {2027, 5, 6}, {0, 45}, "closed"},
        {"한글날 (Saturday) answered not worked", {2027, 10, 9}, {10, 0}, "closed"},
        {"추석 first day evening", {2027, 9, 14}, {21, 0}, "open"},
        {"추석 first day before its hours (a Tuesday)", {2027, 9, 14}, {10, 0}, "closed"},
        {"추석 second day 01:00, from the first day", {2027, 9, 15}, {1, 0}, "open"},
        {"추석 second day after its hours", {2027, 9, 15}, {14, 0}, "closed"},
        {"추석 third day, a Thursday not worked: no duty", {2027, 9, 16}, {20, 0}, "closed"},
        {"Friday 00:45 after the festival day", {2027, 9, 17}, {0, 45}, "closed"},
        {"specific date without an end, before its start", {2027, 9, 26}, {9, 0}, "closed"},
        {"specific date without an end, after its start", {2027, 9, 26}, {11, 0}, "unclear"},
        {"the next day, from the date without an end", {2027, 9, 27}, {0, 30}, "closed"},
        {"개천절 on a Sunday answered working in the reminder", {2027, 10, 3}, {12, 0}, "unclear"},
        {"성탄절 answered working in the reminder", {2027, 12, 25}, {12, 0}, "unclear"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        At(c.day, c.time);
        EXPECT_EQ(ListedState(Listing(), "서연온누리약국"), c.state);
    }
}

TEST_F(OpenNowTest, PresenceOlderThanThirtyFiveMinutesIsShownAsNotReporting)
{
    At({2027, 9, 8}, {10, 0});
    Post("TimeCheck.asp", "P_COMNAME =SEOYEON-PC&P_PALICENSE =23456"
                          "&P_SENDTIME =2027-09-08 10:00:00&P_Flg = on");
    const struct
    {
        QTime time;
        const char* shown;
    } cases[] = {
        {{10, 30}, "근무중 (10:00 보고)"},
        {{10, 35}, "근무중 (10:00 보고)"},
        {{10, 36}, "2027-09-08 10:00 이후 보고 없음"},
        {{23, 0}, "2027-09-08 10:00 이후 보고 없음"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.time.toString().toStdString());
        At({2027, 9, 8}, c.time);
        const std::string entry = ListedEntry(Listing(), "서연온누리약국");
        EXPECT_NE(entry.find(c.shown), std::string::npos) << entry;
        EXPECT_EQ(entry.find("근무중") == std::string::npos, c.time > QTime(10, 35));
    }
}

// 2027-02-07 is a Sunday of 설날. Its specific-Sunday entry holds while the festival row gives no
// hours (not answered, then answered not worked); a festival row with hours wins. The day's entry
// and the specific-Sunday section always give the same hours.
TEST_F(OpenNowTest, SpecificSundayOnAFestivalDayAgreesWithTheDaysHours)
{
    At({2027, 1, 20}, {10, 0});
    Post("SunDay.asp", "P_select  =2&P_LICENSE    =23456&P_e_day    =2027-02-07"
                       "&P_time1_s   =09:00&P_time1_e   =18:00");
    const struct
    {
        const char* what;
        const char* festivalSave; // empty: the festival left unanswered
        const char* hours;
        const char* stateAtNoon;
        const char* stateAt15;
    } cases[] = {
        {"festival not answered", "", "09:00 ~ 18:00", "open", "open"},
        {"festival answered not worked", "P_TIME_S2   =0&P_TIME_E2   =0", "09:00 ~ 18:00", "open",
         "open"},
        {"festival answered with hours", "P_TIME_S2   =10:00&P_TIME_E2   =14:00", "10:00 ~ 14:00",
         "open", "closed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (*c.festivalSave) {
            At({2027, 1, 20}, {10, 0});
            Post("festival1.asp", std::string("P_select  =2&P_LICENSE    =23456&") +
                                      c.festivalSave + "&P_TIME_D2   =2027-02-07");
        }
        At({2027, 2, 7}, {12, 0});
        const std::string noon = Listing();
        EXPECT_EQ(ListedToday(noon, "서연온누리약국"), c.hours);
        EXPECT_EQ(ListedSpecificSunday(noon, "2027-02-07", "서연온누리약국"), c.hours);
        EXPECT_EQ(ListedState(noon, "서연온누리약국"), c.stateAtNoon);
        At({2027, 2, 7}, {15, 0});
        EXPECT_EQ(ListedState(Listing(), "서연온누리약국"), c.stateAt15);
        At({2027, 2, 1}, {10, 0});
        const std::string before = Listing();
        EXPECT_EQ(ListedSpecificSunday(before, "2027-02-07", "서연온누리약국"), c.hours);
    }
}

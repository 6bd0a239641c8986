#include "service/Statement.h"
#include "tests/service/InProcessService.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

// UTF-8 text as the program sends it: code page 949.
std::string InCodePage949(const std::string& utf8)
{
    QStringEncoder encoder("windows-949");
    return QByteArray(encoder.encode(QString::fromStdString(utf8))).toStdString();
}

// The bytes the program posts: the body in code page 949 and one zero byte.
std::string PostData(const std::string& utf8)
{
    return InCodePage949(utf8) + '\0';
}

struct Exchange
{
    const char* what;
    const char* page;
    std::string body;   // as typed, UTF-8
    std::string answer; // the page's body text, UTF-8 (HTML-escaped)
};

class ServicePagesTest : public ::testing::Test
{
protected:
    void Run(const std::vector<Exchange>& exchanges)
    {
        for (const Exchange& exchange : exchanges) {
            SCOPED_TRACE(exchange.what);
            const auto result = service.Post(exchange.page, PostData(exchange.body));
            ASSERT_TRUE(result);
            EXPECT_EQ(result->status, 200);
            EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=euc-kr");
            EXPECT_EQ(result->body, InProcessService::Page(InCodePage949(exchange.answer)));
        }
    }

    InProcessService service;
};

const std::string OwnerIdentity =
    "1]똘이약국]12345]김똘이]서울특별시]강남구]논현동]010]02-515-1234]010-2345-6789]"
    "02-515-1235]논현역 2번 출구 앞]COUNTER-PC]6503151]135]서울특별시 강남구 논현동]"
    "학동로 101 1층";

const std::string Registration23456 =
    "P_PANAME       =박서연&P_PALICENSE  =23456&P_CNAME      =서연온누리약국"
    "&P_ZIP1       =100&P_ZIP2       =070&P_ADDRESS1   =서울특별시&P_ADDRESS2   =중구"
    "&P_ADDRESS3   =소공동&P_ADDRESS4   =소공로 55 2층&P_PHONE      =02-752-0000"
    "&P_MOBILE     =010-1111-2222&P_FAX        =&P_LOCATION   =시청 %26 덕수궁 사이"
    "&P_COMNAME    =SEOYEON-PC&P_JUMINNUM   =7208242&P_CHK        =1";

const std::string WeeklyFetch =
    "P_select  =1&P_LICENSE    =23456&P_Comname    =SEOYEON-PC&P_TIME1_S   =&P_TIME1_e   ="
    "&P_night_day   =&P_night_time1_e   =&P_TIME2_s   =&P_TIME2_e   =&P_TIME3_S   ="
    "&P_TIME3_E   =&P_SunDay1   =&P_SunDay2   =&P_SunDay3   =&P_SunDay4   =&P_SunDay5   ="
    "&P_Operate   =";

const std::string WeeklySave =
    "P_select  =2&P_LICENSE    =23456&P_Comname    =SEOYEON-PC&P_TIME1_S   =09:00"
    "&P_TIME1_E   =25:00&P_TIME2_S   =:&P_TIME2_E   =:&P_TIME3_S   =:&P_TIME3_E   =:"
    "&P_night_day   =4&P_night_time1_e   =22:00&P_SunDay1   =:&P_SunDay2   =10:00,18:00"
    "&P_SunDay3   =:&P_SunDay4   =:&P_SunDay5   =:&P_Operate   =0";

std::string DayRows(int rows, const std::string& filled)
{
    std::string body;
    for (int n = 1; n <= rows; ++n) {
        const std::string i = std::to_string(n);
        body += "&P_TIME_S" + i + "   =0&P_TIME_E" + i + "   =0&P_TIME_D" + i + "   =0";
    }
    return body + filled;
}

const std::string Holidays2026 =
    "2026-01-010000000000신정]]2026-05-050000000000어린이날]]2026-06-060000000000현충일]"
    "2026-08-150000000000광복절]2026-10-030000000000개천절]2026-10-090000000000한글날]";

} // namespace

TEST_F(ServicePagesTest, IdentityCheckAndRegistration)
{
    Run({
        {"owner with a registered check computer", "Permission.asp",
         "PALICENSE =12345&PANAME   =김똘이&JUMINNUM =6503151", OwnerIdentity},
        {"owner with nothing registered: master record, position 12 blank", "Permission.asp",
         "PALICENSE =23456&PANAME   =박서연&JUMINNUM =7208242",
         "1]서연온누리약국]23456]박서연]서울특별시]중구]소공동]070]02-752-4321]010-8765-4321]"
         "02-752-4322]시청역 6번 출구 옆]]7208242]100]서울특별시 중구 소공동]소공로 55"},
        {"a member who does not own a pharmacy", "Permission.asp",
         "PALICENSE =34567&PANAME   =이준호&JUMINNUM =8811011", "3"},
        {"wrong birth number", "Permission.asp",
         "PALICENSE =12345&PANAME   =김똘이&JUMINNUM =6503150", "9"},
        {"unknown licence", "Permission.asp", "PALICENSE =99999&PANAME   =김똘이&JUMINNUM =6503151",
         "9"},
        {"registration with an escaped & in a value", "INPUT3.asp", Registration23456, "Y"},
        {"the identity answer now comes from the registration", "Permission.asp",
         "PALICENSE =23456&PANAME   =박서연&JUMINNUM =7208242",
         "1]서연온누리약국]23456]박서연]서울특별시]중구]소공동]070]02-752-0000]010-1111-2222]]"
         "시청 &amp; 덕수궁 사이]SEOYEON-PC]7208242]100]서울특별시 중구 소공동]소공로 55 2층"},
        {"registration of a licence outside the registry", "INPUT3.asp",
         "P_PANAME       =홍길동&P_PALICENSE  =99999&P_COMNAME    =X&P_CHK        =1", "N"},
    });
}

namespace {

// 박서연's registration as the program sends it when the local postal table knows only the
// first postal part, or nothing: the second part and the three address parts empty.
std::string SeoyeonRegistration(const std::string& zip1, const std::string& zip2,
                                const std::string& address1)
{
    return "P_PANAME       =박서연&P_PALICENSE  =23456&P_CNAME      =서연온누리약국"
           "&P_ZIP1       =" +
           zip1 + "&P_ZIP2       =" + zip2 + "&P_ADDRESS1   =" + address1 +
           "&P_ADDRESS2   =&P_ADDRESS3   =&P_ADDRESS4   =소공로 55&P_PHONE      =02-752-4321"
           "&P_MOBILE     =010-8765-4321&P_FAX        =02-752-4322"
           "&P_LOCATION   =시청역 6번 출구 옆&P_COMNAME    =SEOYEON-PC&P_JUMINNUM   =7208242"
           "&P_CHK        =1";
}

std::string SeoyeonAnswer(const std::string& address)
{
    return "1]서연온누리약국]23456]박서연]" + address +
           "]02-752-4321]010-8765-4321]02-752-4322]시청역 6번 출구 옆]SEOYEON-PC]7208242]";
}

} // namespace

TEST_F(ServicePagesTest, EmptyAddressPartsWithTheStoredFirstPostalPartKeepTheStoredAddress)
{
    const std::string check = "PALICENSE =23456&PANAME   =박서연&JUMINNUM =7208242";
    Run({
        {"the first registration keeps the master record's address", "INPUT3.asp",
         SeoyeonRegistration("100", "", ""), "Y"},
        {"the kept address", "Permission.asp", check,
         SeoyeonAnswer("서울특별시]중구]소공동]070") + "100]서울특별시 중구 소공동]소공로 55"},
        {"again, from the registration", "INPUT3.asp", SeoyeonRegistration("100", "", ""), "Y"},
        {"still kept", "Permission.asp", check,
         SeoyeonAnswer("서울특별시]중구]소공동]070") + "100]서울특별시 중구 소공동]소공로 55"},
        {"one part given: stored as sent", "INPUT3.asp", SeoyeonRegistration("100", "", "서울"),
         "Y"},
        {"as sent", "Permission.asp", check, SeoyeonAnswer("서울]]]") + "100]서울]소공로 55"},
        {"another first part: stored as sent", "INPUT3.asp", SeoyeonRegistration("135", "", ""),
         "Y"},
        {"as sent", "Permission.asp", check, SeoyeonAnswer("]]]") + "135]]소공로 55"},
    });
}

TEST_F(ServicePagesTest, WeeklyHoursAndSpecificSundays)
{
    Run({
        {"unregistered schedule", "normal3.asp", WeeklyFetch, ":]:]]:]:]:]:]:]:]:]:]:]:]0"},
        {"save answers as the fetch", "normal3.asp", WeeklySave,
         "09:00]25:00]4]22:00]:]:]:]:]:]10:00,18:00]:]:]:]0"},
        {"fetch after the save", "normal3.asp", WeeklyFetch,
         "09:00]25:00]4]22:00]:]:]:]:]:]10:00,18:00]:]:]:]0"},
        {"times off the grid are stored as not working; a bad type keeps the old one",
         "normal3.asp",
         "P_select  =2&P_LICENSE    =23456&P_TIME1_S   =09:15&P_TIME1_E   =19:00"
         "&P_TIME2_S   =09:00&P_TIME2_E   =13:00&P_night_day   =9&P_night_time1_e   =22:00"
         "&P_SunDay1   =10:00,31:00&P_Operate   =7",
         ":]:]]:]09:00]13:00]:]:]:]:]:]:]:]0"},
        {"sunday save, next-day label as end", "SunDay.asp",
         "P_select  =2&P_LICENSE    =23456&P_e_day    =2026-12-13&P_time1_s   =09:00"
         "&P_time1_e   =익일 1시",
         "2026-12-1309:0025:00"},
        {"a second date", "SunDay.asp",
         "P_select  =2&P_LICENSE    =23456&P_e_day    =2026-12-20&P_time1_s   =10:00"
         "&P_time1_e   =13:00",
         "2026-12-1309:0025:00]2026-12-2010:0013:00"},
        {"saving a date again replaces it", "SunDay.asp",
         "P_select  =2&P_LICENSE    =23456&P_e_day    =2026-12-13&P_time1_s   =10:00"
         "&P_time1_e   =익일 2시 30분",
         "2026-12-1310:0026:30]2026-12-2010:0013:00"},
        {"delete", "SunDay.asp",
         "P_select  =3&P_LICENSE    =23456&P_e_day    =2026-12-20&P_time1_s   =&P_time1_e   =",
         "2026-12-1310:0026:30"},
        {"an impossible date is not stored", "SunDay.asp",
         "P_select  =2&P_LICENSE    =23456&P_e_day    =2026-13-01&P_time1_s   =10:00"
         "&P_time1_e   =13:00",
         "2026-12-1310:0026:30"},
        {"fetch", "SunDay.asp",
         "P_select  =1&P_LICENSE    =23456&P_e_day    =&P_time1_s   =&P_time1_e   =",
         "2026-12-1310:0026:30"},
    });
}

TEST_F(ServicePagesTest, LegalHolidaysFestivalsAndHolidayReport)
{
    Run({
        {"nine records; 삼일절 and 석가탄신일 fall on a Sunday in 2026", "holiday.asp",
         "P_select  =1&P_LICENSE    =12345&P_TIME_S1   =&P_TIME_E1   =&P_TIME_D1   =",
         Holidays2026 + "2026-12-2510:0018:00성탄절"},
        {"save: row 9 worked until 01:00, row 1 off", "holiday.asp",
         "P_select  =2&P_LICENSE    =12345" +
             DayRows(8, "&P_TIME_S9   =09:00&P_TIME_E9   =25:00&P_TIME_D9   =2026-12-25"),
         Holidays2026 + "2026-12-2509:0025:00성탄절"},
        {"the next festival: next year's 설날, every day named 설날", "festival1.asp",
         "P_select  =1&P_LICENSE    =12345&P_TIME_S10   =&P_TIME_E10   =&P_TIME_D10   =",
         "2027-02-0609:0013:00설날]2027-02-070000000000설날]2027-02-080000000000설날]"
         "2027-02-090000000000설날"},
        {"festival save", "festival1.asp",
         "P_select  =2&P_LICENSE    =12345&P_TIME_S1   =0&P_TIME_E1   =0"
         "&P_TIME_D1   =2027-02-06&P_TIME_S2   =10:00&P_TIME_E2   =14:00&P_TIME_D2   =2027-02-07" +
             DayRows(0, ""),
         "2027-02-060000000000설날]2027-02-0710:0014:00설날]2027-02-080000000000설날]"
         "2027-02-090000000000설날"},
        {"a working legal holiday from the reminder", "hdaycheck.asp",
         "P_Gubun = 1&P_PALICENSE =12345&P_TIME_S1   =00:00&P_TIME_E1   =00:00"
         "&P_TIME_D1   =2026-12-25",
         "Y"},
        {"presence report", "TimeCheck.asp",
         "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =2026-12-10 09:59:58&P_Flg = wai",
         "Y"},
    });
    std::string state;
    service.Store().Read([&](sqlite3* db) {
        Statement row(db, "SELECT state || '|' || sent_time FROM presence WHERE license = '12345'");
        ASSERT_TRUE(row.Step());
        state = row.Text(0);
    });
    EXPECT_EQ(state, "wai|2026-12-10 09:59:58");
}

TEST_F(ServicePagesTest, SignInForwardsToItsAnswer)
{
    ASSERT_TRUE(service.Post("INPUT3.asp", PostData(Registration23456)));
    const struct
    {
        const char* license;
        const char* comName;
        const char* answer;
    } cases[] = {
        {"12345", "COUNTER-PC", "Y"},
        {"12345", "counter-pc", "Y"},
        {"12345", "OTHER-PC", "N"},
        {"12345", "", "N"},
        {"23456", "SEOYEON-PC", "Y"},
        {"34567", "ANY", "Z"},
        {"", "", "Z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.license) + " " + c.comName);
        const auto result = service.Post(
            "ComCheck2.asp", PostData(std::string("P_PANAME       =김똘이&P_PALICENSE  =") +
                                      c.license + "&P_COMNAME    =" + c.comName));
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 302);
        const std::string location = result->get_header_value("Location");
        EXPECT_EQ(location, std::string("/Quillane/ComCheckResult.asp?answer=") + c.answer);
        const auto forwarded = service.Get(location);
        ASSERT_TRUE(forwarded);
        EXPECT_EQ(forwarded->body, InProcessService::Page(c.answer));
    }
    // Releasing the check computer (an empty P_COMNAME) turns "Y" into "N".
    ASSERT_TRUE(service.Post("INPUT3.asp",
                             PostData("P_PANAME       =박서연&P_PALICENSE  =23456"
                                      "&P_COMNAME    =&P_JUMINNUM   =7208242&P_CHK        =1")));
    const auto released =
        service.Post("ComCheck2.asp", PostData("P_PANAME       =박서연&P_PALICENSE  =23456"
                                               "&P_COMNAME    =SEOYEON-PC"));
    ASSERT_TRUE(released);
    EXPECT_EQ(released->get_header_value("Location"), "/Quillane/ComCheckResult.asp?answer=N");
}

TEST_F(ServicePagesTest, NamesWithExtraSyllablesArriveAsCodePage949)
{
    // 김똘이 in code page 949; 똘 is one of the syllables outside the older Korean code page.
    const std::string body =
        "PALICENSE =12345&PANAME   =\xb1\xe8\xb6\xca\xc0\xcc&JUMINNUM =6503151";
    const auto result = service.Post("Permission.asp", body + '\0');
    ASSERT_TRUE(result);
    EXPECT_NE(result->body.find("]12345]\xb1\xe8\xb6\xca\xc0\xcc]"), std::string::npos);
}

#include "core/requests/PageDecoding.h"
#include "core/requests/PageText.h"
#include "core/requests/SplitFields.h"
#include "tests/service/FormBody.h"
#include "tests/service/InProcessService.h"

#include <gtest/gtest.h>

namespace {

// Stored values with the characters the program's splitter treats specially; each must reach
// the program as one field.
const std::string Awkward23456 =
    "P_PANAME       =박서연&P_PALICENSE  =23456&P_CNAME      =서연\"온누리]약국"
    "&P_ZIP1       =100&P_ZIP2       =070&P_ADDRESS1   =서울특별시&P_ADDRESS2   =중구"
    "&P_ADDRESS3   =소공동&P_ADDRESS4   =소공로 55]\r\n2층&P_PHONE      =02-\"752\"-4321"
    "&P_MOBILE     ='010'&P_FAX        =]&P_LOCATION   =대치사거리 '우리은행 옆"
    "&P_COMNAME    =SEOYEON'PC&P_JUMINNUM   =7208242&P_CHK        =1";

class AnswerSplittingTest : public ::testing::Test
{
protected:
    // The fields the program reads from a page: the page's text as the browser stand-in gives it,
    // cut at "]" by the program's own splitter.
    static QStringList Fields(const httplib::Result& result)
    {
        EXPECT_TRUE(result);
        if (!result)
            return {};
        const QString text = DocumentOuterText(
            DecodePage(QByteArray::fromStdString(result->body),
                       QByteArray::fromStdString(result->get_header_value("Content-Type"))));
        QStringList fields;
        SplitFields(CharSetOf(u"]"), CharSet(), text, &fields);
        return fields;
    }

    QStringList Posted(const char* page, const std::string& body)
    {
        return Fields(service.Post(page, FormBody(body)));
    }

    InProcessService service;
};

QStringList Strings(std::initializer_list<const char*> utf8)
{
    QStringList list;
    for (const char* text : utf8)
        list.append(QString::fromUtf8(text));
    return list;
}

} // namespace

TEST_F(AnswerSplittingTest, EveryAnsweringPageSplitsIntoItsFields)
{
    // A festival whose name begins with a quote and a bracket.
    service.Calendar().Add({QDate(2026, 12, 20), "\"]잔치", true});
    service.Calendar().Add({QDate(2026, 12, 21), "\"]잔치 다음날", true});

    EXPECT_EQ(Posted("INPUT3.asp", Awkward23456), Strings({"Y"}));
    EXPECT_EQ(
        Posted("Permission.asp", "PALICENSE =23456&PANAME   =박서연&JUMINNUM =7208242"),
        Strings({"1", "서연＂온누리］약국", "23456", "박서연", "서울특별시", "중구", "소공동",
                 "070", "02-＂752＂-4321", "＇010＇", "］", "대치사거리 ＇우리은행 옆",
                 "SEOYEON＇PC", "7208242", "100", "서울특별시 중구 소공동", "소공로 55］ 2층"}));
    EXPECT_EQ(Fields(service.Get("/Quillane/ComCheckResult.asp?answer=Y")), Strings({"Y"}));
    EXPECT_EQ(Posted("TimeCheck.asp", "P_COMNAME =SEOYEON'PC&P_PALICENSE =23456"
                                      "&P_SENDTIME =2026-12-10 10:00:00&P_Flg = 'on]"),
              Strings({"Y"}));
    EXPECT_EQ(Posted("hdaycheck.asp", "P_Gubun = 1&P_PALICENSE =23456&P_TIME_S1   ='00:00"
                                      "&P_TIME_E1   =\"00:00&P_TIME_D1   =2026-12-25"),
              Strings({"Y"}));
    EXPECT_EQ(
        Posted("normal3.asp", "P_select  =2&P_LICENSE    =23456&P_TIME1_S   ='09:00"
                              "&P_TIME1_E   =19:00'&P_TIME2_S   =09:00&P_TIME2_E   =13:00"
                              "&P_night_day   =\"4&P_night_time1_e   =]&P_SunDay1   ='"
                              "&P_Operate   ='1'"),
        Strings({":", ":", "", ":", "09:00", "13:00", ":", ":", ":", ":", ":", ":", ":", "0"}));
    EXPECT_EQ(Posted("SunDay.asp", "P_select  =2&P_LICENSE    =23456&P_e_day    =2026-12-13"
                                   "&P_time1_s   =09:00&P_time1_e   ="),
              Strings({"2026-12-1309:00"}));
    EXPECT_EQ(Posted("SunDay.asp", "P_select  =2&P_LICENSE    =23456&P_e_day    ='2026-12-20"
                                   "&P_time1_s   =09:00&P_time1_e   =]"),
              Strings({"2026-12-1309:00"}));
    EXPECT_EQ(Posted("holiday.asp", "P_select  =2&P_LICENSE    =23456&P_TIME_S1   ='09:00"
                                    "&P_TIME_E1   =]&P_TIME_D1   =2026-01-01&P_TIME_D2   ='0"),
              Strings({"2026-01-010000000000신정", "", "2026-05-050000000000어린이날", "",
                       "2026-06-060000000000현충일", "2026-08-150000000000광복절",
                       "2026-10-030000000000개천절", "2026-10-090000000000한글날",
                       "2026-12-2500:0000:00성탄절"}));
    EXPECT_EQ(Posted("festival1.asp", "P_select  =2&P_LICENSE    =23456&P_TIME_S1   =09:00"
                                      "&P_TIME_E1   =13:00&P_TIME_D1   =2026-12-20"),
              Strings({"2026-12-2009:0013:00＂］", "2026-12-210000000000＂］"}));
}

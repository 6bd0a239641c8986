#include "hours/WeeklyBodies.h"

#include "core/requests/FormEncoding.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Bytes as the service receives them: code page 949 and the trailing zero byte.
std::string Sent(const QString& body)
{
    return PostData(body).toStdString();
}

std::string WithNul(const char* text)
{
    return std::string(text) + '\0';
}

WeeklySave AllClear(int operation)
{
    WeeklySave save;
    save.operation = operation;
    return save;
}

struct BodyCase
{
    const char* name;
    std::function<QString()> body;
    const char* expected; // without the trailing zero byte
};

class WeeklyBodies : public ::testing::TestWithParam<BodyCase>
{
};

TEST_P(WeeklyBodies, AreSentByteForByte)
{
    EXPECT_EQ(Sent(GetParam().body()), WithNul(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, WeeklyBodies,
    ::testing::Values(
        BodyCase{
            "FetchTrimsTheIdentity",
            [] { return WeeklyFetchBody(QStringLiteral(" 12345\t"), QStringLiteral("PC-1 ")); },
            "P_select  =1&P_LICENSE    =12345&P_Comname    =PC-1&P_TIME1_S   =&P_TIME1_e   "
            "=&P_night_day   =&P_night_time1_e   =&P_TIME2_s   =&P_TIME2_e   =&P_TIME3_S   "
            "=&P_TIME3_E   =&P_SunDay1   =&P_SunDay2   =&P_SunDay3   =&P_SunDay4   "
            "=&P_SunDay5   =&P_Operate   ="},
        BodyCase{
            "FormCharactersInValuesAreEscapedHangulIsCodePage949",
            [] { return WeeklyFetchBody(QStringLiteral("12&3=4+5%"), QStringLiteral("똠PC")); },
            "P_select  =1&P_LICENSE    =12%263%3D4%2B5%25&P_Comname    =\x8c\x63"
            "PC&P_TIME1_S   =&P_TIME1_e   =&P_night_day   =&P_night_time1_e   =&P_TIME2_s   "
            "=&P_TIME2_e   =&P_TIME3_S   =&P_TIME3_E   =&P_SunDay1   =&P_SunDay2   "
            "=&P_SunDay3   =&P_SunDay4   =&P_SunDay5   =&P_Operate   ="},
        BodyCase{"SaveWithEveryRowClear",
                 [] { return WeeklySaveBody(QStringLiteral("12345"), {}, AllClear(3)); },
                 "P_select  =2&P_LICENSE    =12345&P_Comname    =&P_TIME1_S   =:&P_TIME1_E   "
                 "=:&P_TIME2_S   =:&P_TIME2_E   =:&P_TIME3_S   =:&P_TIME3_E   =:&P_night_day   "
                 "=&P_night_time1_e   =:&P_SunDay1   =:&P_SunDay2   =:&P_SunDay3   =:&P_SunDay4   "
                 "=:&P_SunDay5   =:&P_Operate   =3"},
        BodyCase{"SaveWithNoOperationTypeSendsNoOperationField",
                 [] { return WeeklySaveBody(QStringLiteral("12345"), {}, AllClear(-1)); },
                 "P_select  =2&P_LICENSE    =12345&P_Comname    =&P_TIME1_S   =:&P_TIME1_E   "
                 "=:&P_TIME2_S   =:&P_TIME2_E   =:&P_TIME3_S   =:&P_TIME3_E   =:&P_night_day   "
                 "=&P_night_time1_e   =:&P_SunDay1   =:&P_SunDay2   =:&P_SunDay3   =:&P_SunDay4   "
                 "=:&P_SunDay5   =:"},
        BodyCase{
            "SundayFetch",
            [] { return SundayBody(SundayRequest::Fetch, QStringLiteral("12345 "), {}, {}, {}); },
            "P_select  =1&P_LICENSE    =12345&P_e_day    =&P_time1_s   =&P_time1_e   ="},
        BodyCase{"SundaySaveSendsANextDayLabelAsItsOwnText",
                 [] {
                     return SundayBody(SundayRequest::Save, QStringLiteral("12345"),
                                       QStringLiteral("2017-05-07"), QStringLiteral("09:00"),
                                       QStringLiteral("익일 2시"));
                 },
                 "P_select  =2&P_LICENSE    =12345&P_e_day    =2017-05-07&P_time1_s   "
                 "=09:00&P_time1_e   =\xc0\xcd\xc0\xcf\x20\x32\xbd\xc3"},
        BodyCase{"SundayDelete",
                 [] {
                     return SundayBody(SundayRequest::Delete, QStringLiteral("12345"),
                                       QStringLiteral("2017-05-07"), {}, {});
                 },
                 "P_select  =3&P_LICENSE    =12345&P_e_day    =2017-05-07&P_time1_s   "
                 "=&P_time1_e   ="}),
    [](const ::testing::TestParamInfo<BodyCase>& param) { return param.param.name; });

} // namespace

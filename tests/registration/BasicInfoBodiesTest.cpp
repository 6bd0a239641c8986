#include "registration/BasicInfoBodies.h"

#include "core/requests/FormEncoding.h"

#include <gtest/gtest.h>

namespace {

// The bytes of a posted body: the text followed by the terminating zero byte.
QByteArray Posted(const char* text)
{
    return QByteArray(text) + '\0';
}

struct IdentityCase
{
    const char* name;
    QString license;
    QString pharmacist;
    QString birth;
    QByteArray expected; // code page 949 with the trailing zero byte
};

class IdentityBody : public ::testing::TestWithParam<IdentityCase>
{
};

TEST_P(IdentityBody, IsPostedByteForByte)
{
    const IdentityCase& test = GetParam();
    EXPECT_EQ(PostData(IdentityCheckBody(test.license, test.pharmacist, test.birth)),
              test.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentityBody,
    ::testing::Values(
        // 김똠: 똠 is one of the extra syllables of the code page.
        IdentityCase{"Plain", QStringLiteral("12345"), QStringLiteral("김똠"),
                     QStringLiteral("6503151"),
                     Posted("PALICENSE =12345&PANAME   =\xb1\xe8\x8c\x63&JUMINNUM =6503151")},
        IdentityCase{"Trimmed", QStringLiteral(" 12345\t"), QStringLiteral("\n김똠 "),
                     QStringLiteral(" 6503151 "),
                     Posted("PALICENSE =12345&PANAME   =\xb1\xe8\x8c\x63&JUMINNUM =6503151")},
        IdentityCase{"Empty", {}, {}, {}, Posted("PALICENSE =&PANAME   =&JUMINNUM =")},
        IdentityCase{"SeparatorsInValues", QStringLiteral("1&2=3"), QStringLiteral("A+B%"),
                     QStringLiteral("7"),
                     Posted("PALICENSE =1%262%3D3&PANAME   =A%2BB%25&JUMINNUM =7")}),
    [](const ::testing::TestParamInfo<IdentityCase>& param) { return param.param.name; });

TEST(RegistrationBody, CarriesTheSixteenFieldsInOrderByteForByte)
{
    const RegistrationValues values{.name = QStringLiteral(" 박서연 "),
                                    .license = QStringLiteral("23456"),
                                    .pharmacy = QStringLiteral("서연온누리약국"),
                                    .zip1 = QStringLiteral("100"),
                                    .zip2 = QStringLiteral("070"),
                                    .province = QStringLiteral("서울특별시"),
                                    .district = QStringLiteral("중구"),
                                    .town = QStringLiteral("소공동"),
                                    .detailAddress = QStringLiteral("소공로 55"),
                                    .phone = QStringLiteral("02-752-4321"),
                                    .mobile = QStringLiteral("010-8765-4321"),
                                    .fax = QStringLiteral("02-752-4322"),
                                    .location = QStringLiteral("시청역 6번 출구 옆 & 1+1=2"),
                                    .computerName = QStringLiteral("COUNTER-PC"),
                                    .birthNumber = QStringLiteral("7208242")};
    const QByteArray expected =
        QByteArray("P_PANAME       =\xb9\xda\xbc\xad\xbf\xac"
                   "&P_PALICENSE  =23456"
                   "&P_CNAME      =\xbc\xad\xbf\xac\xbf\xc2\xb4\xa9\xb8\xae\xbe\xe0\xb1\xb9"
                   "&P_ZIP1       =100"
                   "&P_ZIP2       =070"
                   "&P_ADDRESS1   =\xbc\xad\xbf\xef\xc6\xaf\xba\xb0\xbd\xc3"
                   "&P_ADDRESS2   =\xc1\xdf\xb1\xb8"
                   "&P_ADDRESS3   =\xbc\xd2\xb0\xf8\xb5\xbf"
                   "&P_ADDRESS4   =\xbc\xd2\xb0\xf8\xb7\xce 55"
                   "&P_PHONE      =02-752-4321"
                   "&P_MOBILE     =010-8765-4321"
                   "&P_FAX        =02-752-4322"
                   "&P_LOCATION   =\xbd\xc3\xc3\xbb\xbf\xaa 6\xb9\xf8 \xc3\xe2\xb1\xb8 \xbf\xb7 "
                   "%26 1%2B1%3D2"
                   "&P_COMNAME    =COUNTER-PC"
                   "&P_JUMINNUM   =7208242"
                   "&P_CHK        =1") +
        '\0';
    EXPECT_EQ(PostData(RegistrationBody(values)), expected);
}

TEST(RegistrationBody, ReleaseSendsAnEmptyComputerNameAndStillTheCheckField)
{
    RegistrationValues values;
    values.name = QStringLiteral("A");
    const QByteArray body = PostData(RegistrationBody(values));
    EXPECT_EQ(body, QByteArray("P_PANAME       =A&P_PALICENSE  =&P_CNAME      =&P_ZIP1       =&P_"
                               "ZIP2       =&P_ADDRESS1   =&P_ADDRESS2   =&P_ADDRESS3   =&P_"
                               "ADDRESS4   =&P_PHONE      =&P_MOBILE     =&P_FAX        =&P_"
                               "LOCATION   =&P_COMNAME    =&P_JUMINNUM   =&P_CHK        =1") +
                        '\0');
}

} // namespace

#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "tests/core/SettingsTestSupport.h"

#include <QFile>
#include <QOperatingSystemVersion>
#include <gtest/gtest.h>

namespace {

// Collects the warnings of the settings code while it lives.
class SettingsWarnings
{
public:
    SettingsWarnings() { previous = qInstallMessageHandler(&Collect); }
    ~SettingsWarnings() { qInstallMessageHandler(previous); }
    static inline QStringList messages;

private:
    static void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtWarningMsg && QByteArray(context.category) == "quillane.settings")
            messages.append(text);
    }
    QtMessageHandler previous;
};

TEST(SettingsWrite, KeepsEveryOtherLineInItsOrder)
{
    SettingsFolder folder;
    folder.Put("quillane.ini", InCodePage949("; Quillane\n"
                                             "top=1\n"
                                             "[기본정보]\n"
                                             "개국약사명=홍길동\n"
                                             "; 메모\n"
                                             "약국명=초록약국\n") +
                                   QByteArray("\xFF\xFE broken\n") +
                                   InCodePage949("\n"
                                                 "  \n"
                                                 "[명절]\n"
                                                 "알림체크=2024-02-10\n"
                                                 "알림체크=dup\n"
                                                 "[DataPath]\n"
                                                 "Path=C:\\QX"));
    const QString path = folder.Path("quillane.ini");

    ASSERT_TRUE(WriteIniString(path, "기본정보", "약국명", "새 약국"));
    ASSERT_TRUE(WriteIniString(path, "기본정보", "핸드폰", "010-1234-5678"));
    ASSERT_TRUE(WriteIniString(path, "명절", "알림체크", ""));
    ASSERT_TRUE(WriteIniString(path, "DATAPATH", "PATH", "D:\\QX"));
    ASSERT_TRUE(WriteIniString(path, "법정공휴일", "석가 탄신일체크", "1"));
    ASSERT_TRUE(WriteIniString(path, "법정공휴일", "석가 탄신일시작", "09:00"));

    EXPECT_EQ(folder.Bytes("quillane.ini"), InCodePage949("; Quillane\r\n"
                                                          "top=1\r\n"
                                                          "[기본정보]\r\n"
                                                          "개국약사명=홍길동\r\n"
                                                          "; 메모\r\n"
                                                          "약국명=새 약국\r\n") +
                                                QByteArray("\xFF\xFE broken\r\n") +
                                                InCodePage949("핸드폰=010-1234-5678\r\n"
                                                              "\r\n"
                                                              "  \r\n"
                                                              "[명절]\r\n"
                                                              "알림체크=\r\n"
                                                              "알림체크=dup\r\n"
                                                              "[DataPath]\r\n"
                                                              "Path=D:\\QX\r\n"
                                                              "[법정공휴일]\r\n"
                                                              "석가 탄신일체크=1\r\n"
                                                              "석가 탄신일시작=09:00\r\n"));
    EXPECT_EQ(ReadIniString(path, "명절", "알림체크", "<default>"), "");
    EXPECT_EQ(folder.Entries(), QStringList{"quillane.ini"});
}

TEST(SettingsWrite, UhcSyllablesRoundTripByteExactly)
{
    SettingsFolder folder;
    const QString path = folder.Path("quillane.ini");
    ASSERT_TRUE(WriteIniString(path, "똠", "똠", "똠"));
    EXPECT_EQ(folder.Bytes("quillane.ini"), QByteArray("[\x8C\x63]\r\n\x8C\x63=\x8C\x63\r\n"));

    ASSERT_TRUE(WriteIniString(path, "똠방각하", "뙇 똘", "똘똠뙇 약국"));
    EXPECT_EQ(ReadIniString(path, "똠방각하", "뙇 똘", ""), "똘똠뙇 약국");
    EXPECT_FALSE(folder.Bytes("quillane.ini").contains('?'));
}

TEST(SettingsWrite, ValuesReadBackAsWritten)
{
    SettingsFolder folder;
    const QString path = folder.Path("quillane.ini");
    for (const QString& value : {QString(), QString(" 앞뒤 공백 "), QString("\"따옴표\""),
                                 QString("'x'"), QString("\""), QString("a=b;c")}) {
        SCOPED_TRACE(value.toStdString());
        ASSERT_TRUE(WriteIniString(path, "a", "k", value));
        EXPECT_EQ(ReadIniString(path, "a", "k", "<default>"), value);
    }
}

TEST(SettingsWrite, FileNamesIgnoreLetterCase)
{
    SettingsFolder folder;
    folder.Put("quillane.ini", InCodePage949("[버전정보]\r\n버전=51\r\n"));
    ASSERT_TRUE(WriteIniString(folder.Path("QUILLANE.INI"), "버전정보", "버전", "52"));
    EXPECT_EQ(folder.Entries(), QStringList{"quillane.ini"});
    EXPECT_EQ(folder.Bytes("quillane.ini"), InCodePage949("[버전정보]\r\n버전=52\r\n"));

    ASSERT_TRUE(WriteIniString(folder.Path("QUILLANE_Version.INI"), "버전정보", "버전", "1"));
    EXPECT_TRUE(folder.Entries().contains("QUILLANE_Version.INI"));
}

// Text that cannot be one line of code page 949 is refused and logged; the file is unchanged.
TEST(SettingsWrite, RefusedWritesLeaveTheFileAndSayWhy)
{
    struct Refused
    {
        const char* what;
        QString section, key, value;
    };
    const std::vector<Refused> cases = {
        {"line feed in the value", "a", "k", "1\n[b]"},
        {"carriage return in the value", "a", "k", "1\r"},
        {"character outside code page 949", "a", "k", QString::fromUtf8("약국 😀")},
        {"character outside code page 949 in a key", "a", QString::fromUtf8("😀"), "1"},
        {"= in the key", "a", "k=x", "1"},
        {"empty key", "a", " ", "1"},
        {"empty section", "", "k", "1"},
        {"] in the section", "a]", "k", "1"},
    };
    SettingsFolder folder;
    const QByteArray original = InCodePage949("[a]\r\nk=0\r\n");
    folder.Put("quillane.ini", original);
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsWarnings warnings;
        warnings.messages.clear();
        EXPECT_FALSE(WriteIniString(folder.Path("quillane.ini"), c.section, c.key, c.value));
        EXPECT_EQ(folder.Bytes("quillane.ini"), original);
        EXPECT_EQ(warnings.messages.size(), 1);
    }
    EXPECT_EQ(folder.Entries(), QStringList{"quillane.ini"});
}

TEST(SettingsWrite, UnwritablePlacesFailAndSayWhy)
{
    SettingsFolder folder;
    QDir(folder.dir.path()).mkdir("folder.ini");
    SettingsWarnings warnings;
    warnings.messages.clear();
    EXPECT_FALSE(WriteIniString(folder.Path("missing/quillane.ini"), "a", "k", "1"));
    EXPECT_FALSE(WriteIniString(folder.Path("folder.ini"), "a", "k", "1"));
    EXPECT_EQ(warnings.messages.size(), 2);
}

TEST(SettingsWrite, NewFileIsOwnerOnlyAndAnExistingFileKeepsItsMode)
{
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        GTEST_SKIP() << "Windows files have no mode bits";
    const auto groupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                              QFileDevice::ExeGroup | QFileDevice::ReadOther |
                              QFileDevice::WriteOther | QFileDevice::ExeOther;
    SettingsFolder folder;
    const QString fresh = folder.Path("quillane.ini");
    ASSERT_TRUE(
        WriteIniString(fresh, SettingsKeys::BasicInfo, SettingsKeys::BirthNumber, "8001011"));
    EXPECT_EQ(QFile::permissions(fresh) & groupOrOther, 0);
    EXPECT_TRUE(QFile::permissions(fresh) & QFileDevice::WriteOwner);
    ASSERT_TRUE(WriteIniString(fresh, SettingsKeys::BasicInfo, SettingsKeys::PharmacyName, "약국"));
    EXPECT_EQ(QFile::permissions(fresh) & groupOrOther, 0);

    const QString shared = folder.Path("shared.ini");
    folder.Put("shared.ini", InCodePage949("[a]\r\n"));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                      QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(shared, mode));
    ASSERT_TRUE(WriteIniString(shared, "a", "k", "1"));
    EXPECT_EQ(QFile::permissions(shared) & groupOrOther,
              QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

} // namespace

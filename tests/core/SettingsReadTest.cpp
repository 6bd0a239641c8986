#include "core/settings/FileNameCase.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "tests/core/SettingsTestSupport.h"

#include <QtGlobal>
#include <gtest/gtest.h>

namespace {

const QString Default = QStringLiteral("<default>");

struct ReadCase
{
    const char* what;
    QByteArray file;
    const char* section;
    const char* key;
    const char* expected; // nullptr: the default
};

std::vector<ReadCase> ReadCases()
{
    return {
        {"plain key", InCodePage949("[기본정보]\r\n개국약사명=홍길동\r\n"), "기본정보",
         "개국약사명", "홍길동"},
        {"names without regard to ASCII case", InCodePage949("[DataPath]\r\nPath=C:\\QX\r\n"),
         "DATAPATH", "path", "C:\\QX"},
        {"blanks around names and values",
         InCodePage949("  [ 기본정보 ]  \r\n\t개국약사명 \t=  홍 길동 \t\r\n"), "기본정보",
         " 개국약사명", "홍 길동"},
        {"double quotes removed, inner blanks kept", InCodePage949("[a]\r\nk=\"  초록 약국 \"\r\n"),
         "a", "k", "  초록 약국 "},
        {"single quotes removed", InCodePage949("[a]\r\nk='x'\r\n"), "a", "k", "x"},
        {"unmatched quotes kept", InCodePage949("[a]\r\nk=\"x'\r\n"), "a", "k", "\"x'"},
        {"a lone quote kept", InCodePage949("[a]\r\nk=\"\r\n"), "a", "k", "\""},
        {"empty value reads empty", InCodePage949("[기본정보]\r\n푸른등대=\r\n"), "기본정보",
         "푸른등대", ""},
        {"blank value reads empty", InCodePage949("[기본정보]\r\n푸른등대=  \t\r\n"), "기본정보",
         "푸른등대", ""},
        {"value containing =", InCodePage949("[a]\r\nk=x=y\r\n"), "a", "k", "x=y"},
        {"missing key", InCodePage949("[a]\r\nother=1\r\n"), "a", "k", nullptr},
        {"missing section", InCodePage949("[b]\r\nk=1\r\n"), "a", "k", nullptr},
        {"key of the next section", InCodePage949("[명절]\r\n[버전정보]\r\n버전=3\r\n"), "명절",
         "버전", nullptr},
        {"key before any section", InCodePage949("k=1\r\n[a]\r\n"), "a", "k", nullptr},
        {"LF line ends", InCodePage949("[a]\nk=1\n"), "a", "k", "1"},
        {"mixed line ends, no final line end", InCodePage949("[a]\r\nx=0\nk=2"), "a", "k", "2"},
        {"comment line", InCodePage949("[a]\r\n;k=1\r\n"), "a", "k", nullptr},
        {"line without =", InCodePage949("[a]\r\nk\r\n"), "a", "k", nullptr},
        {"text after ] ignored", InCodePage949("[a] ; note\r\nk=1\r\n"), "a", "k", "1"},
        {"duplicate key: first wins", InCodePage949("[a]\r\nk=1\r\nK=2\r\n"), "a", "k", "1"},
        {"duplicate section: first wins", InCodePage949("[a]\r\nk=1\r\n[A]\r\nk=2\r\n"), "a", "k",
         "1"},
        {"key names with spaces", InCodePage949("[법정공휴일]\r\n석가 탄신일체크=1\r\n"),
         "법정공휴일", "석가 탄신일체크", "1"},
        {"UHC-only syllables", InCodePage949("[똠방]\r\n뙇=똘똠\r\n"), "똠방", "뙇", "똘똠"},
        // 똠 is 8C 63 ("c" as its second byte); 8C 43 ("C") is another syllable.
        {"trail bytes are not folded as ASCII",
         InCodePage949("[a]\r\n") + QByteArray("\x8C\x43=wrong\r\n") +
             InCodePage949("똠=right\r\n"),
         "a", "똠", "right"},
        {"invalid bytes on other lines",
         InCodePage949("[a]\r\n") + QByteArray("\xFF\xFF\x81=x\r\n\x81\r\n\0\0=\r\n", 15) +
             InCodePage949("k=1\r\n"),
         "a", "k", "1"},
        {"a lead byte cut by the line end",
         InCodePage949("[a]\r\n") + QByteArray("k=\x81\r\nk2=2\r\n"), "a", "k2", "2"},
    };
}

TEST(SettingsRead, CasesOfTheProfileFormat)
{
    SettingsFolder folder;
    for (const ReadCase& c : ReadCases()) {
        SCOPED_TRACE(c.what);
        folder.Put("quillane.ini", c.file);
        const QString value =
            ReadIniString(folder.Path("quillane.ini"), QString::fromUtf8(c.section),
                          QString::fromUtf8(c.key), Default);
        EXPECT_EQ(value, c.expected ? QString::fromUtf8(c.expected) : Default);
    }
}

TEST(SettingsRead, MissingOrUnreadableFileReadsTheDefault)
{
    SettingsFolder folder;
    EXPECT_EQ(ReadIniString(folder.Path("quillane.ini"), "a", "k", Default), Default);
    EXPECT_EQ(ReadIniString(folder.Path("missing/quillane.ini"), "a", "k", Default), Default);
    QDir(folder.dir.path()).mkdir("folder.ini");
    EXPECT_EQ(ReadIniString(folder.Path("folder.ini"), "a", "k", Default), Default);
    EXPECT_FALSE(FileExistsIgnoringCase(folder.Path("folder.ini")));
}

TEST(SettingsRead, FileNamesIgnoreLetterCase)
{
    SettingsFolder folder;
    folder.Put("quillane.ini", InCodePage949("[버전정보]\r\n버전=52\r\n"));
    EXPECT_TRUE(FileExistsIgnoringCase(folder.Path("QUILLANE.INI")));
    EXPECT_FALSE(FileExistsIgnoringCase(folder.Path("QUILLANE.IN")));
    EXPECT_EQ(ReadIniString(folder.Path("QUILLANE.INI"), "버전정보", "버전", Default), "52");

    // Where two spellings exist side by side, the exact one is the file.
    folder.Put("QUILLANE.INI", InCodePage949("[버전정보]\r\n버전=53\r\n"));
    EXPECT_EQ(ReadIniString(folder.Path("QUILLANE.INI"), "버전정보", "버전", Default), "53");
    EXPECT_EQ(ReadIniString(folder.Path("quillane.ini"), "버전정보", "버전", Default), "52");
}

// A settings file kept from before, without the version section: the start-up does not
// complete it, and the version reads as empty.
TEST(SettingsRead, FirstRunFileWithoutVersionSection)
{
    using namespace SettingsKeys;
    SettingsFolder folder;
    folder.Put(FileName, InCodePage949("[기본정보]\r\n개국약사명=홍길동\r\n푸른등대=\r\n"));
    const QString path = folder.Path("QUILLANE.INI");
    ASSERT_TRUE(FileExistsIgnoringCase(path));
    EXPECT_EQ(ReadIniString(path, VersionInfo, Version, ""), "");
    EXPECT_EQ(ReadIniString(path, BasicInfo, CheckComputer, "PC-1"), "");
    EXPECT_EQ(ReadIniString(path, BasicInfo, PharmacistName, ""), "홍길동");
}

// Collects the warnings of the settings file while it lives.
class SettingsWarnings
{
public:
    SettingsWarnings() { previous_ = qInstallMessageHandler(Collect); }
    ~SettingsWarnings()
    {
        qInstallMessageHandler(previous_);
        Collected().clear();
    }
    static QStringList& Collected()
    {
        static QStringList messages;
        return messages;
    }

private:
    static void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtWarningMsg && QByteArray(context.category) == "quillane.settings")
            Collected() += text;
    }
    QtMessageHandler previous_ = nullptr;
};

// A file saved as UTF-8 by an editor reads as the profile functions read it (its Korean names
// are not found), and support sees one warning naming the file, however often it is read.
TEST(SettingsRead, FileThatIsNotCodePage949IsNamedInOneWarning)
{
    const struct
    {
        const char* what;
        QByteArray bytes;
        bool warned;
        const char* value; // nullptr: the default
    } cases[] = {
        {"UTF-8 with a byte-order mark",
         "\xEF\xBB\xBF" + QByteArray("[기본정보]\r\n자동체크=Y\r\n"), true, nullptr},
        {"UTF-8 without a mark", QByteArray("[기본정보]\r\n자동체크=Y\r\n"), true, nullptr},
        {"code page 949", InCodePage949("[기본정보]\r\n자동체크=Y\r\n"), false, "Y"},
        {"ASCII only", QByteArray("[a]\r\nk=1\r\n"), false, nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        const SettingsFolder folder;
        folder.Put(QStringLiteral("quillane.ini"), test.bytes);
        const QString path = folder.Path(QStringLiteral("quillane.ini"));
        const SettingsWarnings warnings;

        for (int read = 0; read < 3; ++read)
            ReadIniString(path, QStringLiteral("기본정보"), QStringLiteral("자동체크"), Default);

        EXPECT_EQ(
            ReadIniString(path, QStringLiteral("기본정보"), QStringLiteral("자동체크"), Default),
            test.value ? QString::fromUtf8(test.value) : Default);
        ASSERT_EQ(SettingsWarnings::Collected().size(), test.warned ? 1 : 0)
            << SettingsWarnings::Collected().join('\n').toStdString();
        if (test.warned) {
            EXPECT_TRUE(SettingsWarnings::Collected().front().contains(path));
        }
    }
}

} // namespace

#include "core/settings/Settings.h"
#include "platform/CodePage949.h"
#include "tests/platform/wine/ProfileCases.h"
#include "tests/platform/wine/WinePrefix.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <iostream>
#include <span>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

// The Win32 backend cross-compiled with MinGW-w64 (the probe) and run under Wine: its own
// checks, the hand-over between two real processes, and the settings file exchanged with the
// profile API in both directions.

namespace {

const WinePrefix& Prefix()
{
    static const WinePrefix prefix(WINE64_PROGRAM, WINESERVER_PROGRAM, WINE_PREFIX_FOLDER);
    return prefix;
}

QStringList ProbeCommand(const QStringList& arguments)
{
    return QStringList{QStringLiteral(WIN32_PROBE)} + arguments;
}

QByteArray InCodePage949(const QString& text)
{
    QStringEncoder encoder("windows-949");
    return encoder.encode(text);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString Named(const ProfileEntry& entry)
{
    return QStringLiteral("[%1] %2").arg(QString::fromUtf8(entry.section),
                                         QString::fromUtf8(entry.key));
}

void WriteWithSettingsCode(const QString& path, std::span<const ProfileEntry> entries)
{
    for (const ProfileEntry& entry : entries)
        ASSERT_TRUE(WriteIniString(path, QString::fromUtf8(entry.section),
                                   QString::fromUtf8(entry.key), QString::fromUtf8(entry.value)))
            << Named(entry).toStdString();
}

void ExpectSettingsCodeReads(const QString& path, std::span<const ProfileEntry> lookups)
{
    for (const ProfileEntry& lookup : lookups)
        EXPECT_EQ(ReadIniString(path, QString::fromUtf8(lookup.section),
                                QString::fromUtf8(lookup.key), QString::fromUtf8(MissingValue))
                      .toStdString(),
                  lookup.value)
            << Named(lookup).toStdString();
}

// Every single byte, every lead byte with every second byte (the 17,048 codes, the
// user-defined ones and the invalid pairs), cut-off and mixed sequences; every UTF-16 code unit
// alone, a character beyond it and mixed text: as this side converts them.
QByteArray CodePageTable()
{
    QByteArray table;
    const auto hex = [](const QByteArray& bytes) {
        return bytes.isEmpty() ? QByteArray("-") : bytes.toHex().toUpper();
    };
    const auto units = [&hex](const std::u16string& text) {
        QByteArray bytes;
        for (const char16_t unit : text)
            bytes.append(char(unit >> 8)).append(char(unit & 0xFF));
        return hex(bytes);
    };
    const auto decoding = [&](const QByteArray& bytes) {
        const platform::CodePage949Text decoded = platform::DecodeCodePage949(bytes.toStdString());
        table += "D " + hex(bytes) + ' ' + units(decoded.text) + (decoded.exact ? " 1\n" : " 0\n");
    };
    const auto encoding = [&](const std::u16string& text) {
        const platform::CodePage949Bytes encoded = platform::EncodeCodePage949(text);
        table += "E " + units(text) + ' ' + hex(QByteArray::fromStdString(encoded.bytes)) +
                 (encoded.exact ? " 1\n" : " 0\n");
    };
    for (int first = 0; first <= 0xFF; ++first) {
        decoding(QByteArray(1, char(first)));
        for (int second = 0; first >= 0x81 && first <= 0xFE && second <= 0xFF; ++second)
            decoding(QByteArray{char(first), char(second)});
    }
    for (const QByteArray& bytes :
         {QByteArray("a\x81"), QByteArray("\xB0\xA1\xB0"), QByteArray("\xA1\x41\xA1"),
          QByteArray("\x81\x20\xC7\x41\xFE"), QByteArray("\xB6\xCA\0\xC0\xCC", 5)})
        decoding(bytes);
    for (int unit = 0; unit <= 0xFFFF; ++unit)
        encoding(std::u16string(1, char16_t(unit)));
    for (const std::u16string& text : {std::u16string(u"\U0001F600"), std::u16string(u"똘€é뷁"),
                                       std::u16string{u'a', char16_t(0xD800), u'z'}})
        encoding(text);
    return table;
}

// The next lines a running probe prints, up to the count and within a bound, joined by blanks.
std::string ReadLines(QProcess& process, qsizetype count)
{
    QStringList lines;
    const QDeadlineTimer deadline(std::chrono::seconds(60));
    while (lines.size() < count && !deadline.hasExpired()) {
        if (!process.canReadLine() && !process.waitForReadyRead(500))
            continue;
        while (lines.size() < count && process.canReadLine())
            lines.append(QString::fromUtf8(process.readLine()).trimmed());
    }
    return lines.join(u' ').toStdString();
}

class Win32UnderWine : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { problem = Prefix().Prepare(); }
    static void TearDownTestSuite() { Prefix().WaitForServerEnd(); }

    void SetUp() override { ASSERT_TRUE(problem.isEmpty()) << problem.toStdString(); }

    // Runs the probe to its end; its report goes to the test's output.
    static WinePrefix::Result Probe(const QStringList& arguments)
    {
        WinePrefix::Result result = Prefix().Run(ProbeCommand(arguments));
        std::cout << result.output.toStdString() << result.errors.toStdString();
        return result;
    }

    // An empty folder C:\name of the test's own; its Unix path.
    static QString FreshFolder(const QString& name)
    {
        QDir folder(Prefix().DriveC() + u'/' + name);
        folder.removeRecursively();
        folder.mkpath(QStringLiteral("."));
        return folder.path();
    }

    // Folders whose mode and owner Wine shows as access lists: the user's alone, readable by
    // all, writable by all, and another user's (without the right to give it away, one that
    // everybody may write to), each but the one readable by all with a folder of the user's
    // alone inside; another user's holds a file named like an update's leftover (where the folder
    // can be given away). A Unix link to the user's folder, which Wine shows as a Windows link,
    // sits beside them.
    static void MakeFoldersOfEachAccess(const QString& parent)
    {
        const std::pair<const char16_t*, mode_t> modes[] = {
            {u"사용자만", 0700},
            {u"모두 읽는 폴더", 0755},
            {u"모두 쓰는 폴더", 0777},
            {u"남의 폴더", 0755},
        };
        for (const auto& [name, mode] : modes) {
            const QString folder = parent + u'/' + QString::fromUtf16(name);
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), mode), 0);
            if (mode != 0755 || folder.endsWith(QStringLiteral("남의 폴더"))) {
                ASSERT_TRUE(QDir().mkdir(folder + QStringLiteral("/개인 폴더"),
                                         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            }
        }
        QFile leftover(parent + QStringLiteral("/남의 폴더/Quillane.MDB"));
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
        leftover.write("his");
        leftover.close();
        ASSERT_TRUE(
            QFile::link(parent + QStringLiteral("/사용자만"), parent + QStringLiteral("/링크")));
        const QByteArray others = QFile::encodeName(parent + QStringLiteral("/남의 폴더"));
        if (chown(others.constData(), 65534, 65534) != 0) {
            ASSERT_EQ(chmod(others.constData(), 0777), 0);
            leftover.remove();
        }
    }

    static inline QString problem;
};

TEST_F(Win32UnderWine, BackendChecksPass)
{
    const QString folder = FreshFolder(QStringLiteral("quillane-checks"));
    MakeFoldersOfEachAccess(folder + QStringLiteral("/권한"));
    EXPECT_EQ(Probe({QStringLiteral("checks"), QStringLiteral("C:\\quillane-checks")}).exitCode, 0);
    // The link's Hangul name reaches the Unix file system as UTF-8 under the Korean locale.
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/초록우체통.lnk")));
}

TEST_F(Win32UnderWine, CodePage949ConvertsAsOnLinux)
{
    const QString folder = FreshFolder(QStringLiteral("quillane-codepage"));
    QFile table(folder + QStringLiteral("/table.txt"));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write(CodePageTable());
    table.close();

    const WinePrefix::Result result =
        Probe({QStringLiteral("codepage"), QStringLiteral("C:\\quillane-codepage\\table.txt")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.output.contains(QStringLiteral(" 0 differ"))) << result.output.toStdString();
}

TEST_F(Win32UnderWine, LaterStartsHandTheirCommandsToTheRunningCopy)
{
    const std::unique_ptr<QProcess> first = Prefix().Start(ProbeCommand({QStringLiteral("first")}));
    ASSERT_EQ(ReadLines(*first, 1), "ready");

    const WinePrefix::Result show = Probe({QStringLiteral("later"), QStringLiteral("SHOW")});
    EXPECT_EQ(show.output.trimmed(), QStringLiteral("second"));
    EXPECT_EQ(ReadLines(*first, 1), "ShowMainScreen");

    EXPECT_EQ(Probe({QStringLiteral("tray")}).exitCode, 0);
    EXPECT_EQ(ReadLines(*first, 2), "TrayMenu TrayDoubleClick");

    const WinePrefix::Result end = Probe({QStringLiteral("end-session")});
    EXPECT_EQ(end.output.trimmed(), QStringLiteral("yes"));
    EXPECT_EQ(ReadLines(*first, 2), "query end");
    ASSERT_TRUE(first->waitForFinished(30000));
    EXPECT_EQ(first->exitCode(), 0);

    // The claim ended with the process that held it.
    EXPECT_EQ(Probe({QStringLiteral("later"), QStringLiteral("SHOW")}).output.trimmed(),
              QStringLiteral("first"));
}

// A double-click on the desktop link while the running copy sits in one of its fixed waits
// must not hang the new start until the wait is over.
TEST_F(Win32UnderWine, LaterStartDoesNotWaitForABusyRunningCopy)
{
    const std::unique_ptr<QProcess> first =
        Prefix().Start(ProbeCommand({QStringLiteral("busy-first")}));
    ASSERT_EQ(ReadLines(*first, 1), "ready");

    EXPECT_EQ(Probe({QStringLiteral("later"), QStringLiteral("SHOW")}).output.trimmed(),
              QStringLiteral("second"));
    first->waitForReadyRead(500);
    EXPECT_FALSE(first->canReadLine())
        << "the later start ended only after the running copy's wait";

    EXPECT_EQ(ReadLines(*first, 2), "awake ShowMainScreen");
    EXPECT_EQ(Probe({QStringLiteral("end-session")}).exitCode, 0);
    EXPECT_TRUE(first->waitForFinished(30000));
}

// The end of the session reaches a running copy in one of its fixed waits at once, not after it;
// a later start's posted command is taken after the wait.
TEST_F(Win32UnderWine, SessionEndIsHandledInsideAFixedWait)
{
    const std::unique_ptr<QProcess> first =
        Prefix().Start(ProbeCommand({QStringLiteral("waiting-first")}));
    ASSERT_EQ(ReadLines(*first, 1), "ready");

    EXPECT_EQ(Probe({QStringLiteral("later"), QStringLiteral("SHOW")}).output.trimmed(),
              QStringLiteral("second"));
    EXPECT_EQ(Probe({QStringLiteral("end-session")}).output.trimmed(), QStringLiteral("yes"));
    // The posted command waits for the message loop, after the wait.
    EXPECT_EQ(ReadLines(*first, 4), "query end awake ShowMainScreen");
    ASSERT_TRUE(first->waitForFinished(30000));
    EXPECT_EQ(first->exitCode(), 0);
}

// Settings files of these tests: C:\quillane-settings under Wine; Hangul in the file names.
const QString SettingsFolder = QStringLiteral("quillane-settings");
const QString WindowsSettingsFolder = QStringLiteral("C:\\quillane-settings\\");

TEST_F(Win32UnderWine, SettingsWrittenHereReadAlikeThroughTheProfileApi)
{
    const QString folder = FreshFolder(SettingsFolder);
    WriteWithSettingsCode(folder + QStringLiteral("/약국설정.ini"), ExchangedEntries);
    WriteWithSettingsCode(folder + QStringLiteral("/guarded.ini"), GuardedEntries);

    const QString profileRead = QStringLiteral("profile-read");
    EXPECT_EQ(Probe({profileRead, WindowsSettingsFolder + QStringLiteral("약국설정.INI"),
                     QStringLiteral("exchanged")})
                  .exitCode,
              0);
    EXPECT_EQ(Probe({profileRead, WindowsSettingsFolder + QStringLiteral("guarded.ini"),
                     QStringLiteral("guarded")})
                  .exitCode,
              0);
}

TEST_F(Win32UnderWine, ProfileApiWritesTheBytesOfTheSettingsCode)
{
    const QString folder = FreshFolder(SettingsFolder);
    WriteWithSettingsCode(folder + QStringLiteral("/ours.ini"), ExchangedEntries);
    ASSERT_EQ(Probe({QStringLiteral("profile-write"),
                     WindowsSettingsFolder + QStringLiteral("약국설정.ini")})
                  .exitCode,
              0);

    const QByteArray theirs = FileBytes(folder + QStringLiteral("/약국설정.ini"));
    EXPECT_TRUE(theirs.contains(InCodePage949(QStringLiteral("[갂]\r\n똠=뷁\r\n"))))
        << theirs.toHex(' ').toStdString();
    EXPECT_EQ(theirs, FileBytes(folder + QStringLiteral("/ours.ini")));
    ExpectSettingsCodeReads(folder + QStringLiteral("/약국설정.INI"), ExchangedLookups);
}

TEST_F(Win32UnderWine, HandWrittenFileReadsAlikeOnBothSides)
{
    const QString folder = FreshFolder(SettingsFolder);
    QFile file(folder + QStringLiteral("/hand.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        InCodePage949(QString::fromUtf8(HandWrittenFile).replace(u'\n', QStringLiteral("\r\n"))));
    file.close();

    ExpectSettingsCodeReads(file.fileName(), HandWrittenLookups);
    EXPECT_EQ(
        Probe({QStringLiteral("profile-read"), WindowsSettingsFolder + QStringLiteral("hand.ini"),
               QStringLiteral("handwritten")})
            .exitCode,
        0);
}

} // namespace

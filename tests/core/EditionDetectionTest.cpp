#include "core/management/EditionDetection.h"

#include "core/management/EditionTable.h"
#include "core/management/ManagementIniCopy.h"
#include "core/management/ManagementServices.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

constexpr int Stopped = 1;
constexpr int StartPending = 2;
constexpr int Running = 4;
constexpr int Paused = 7;

const QString V6 = QStringLiteral("C:\\QX2000V6\\QX2000V6.INI");
const QString V5 = QStringLiteral("C:\\QX2000V5\\QX2000V5.INI");
const QString QX2014 = QStringLiteral("MSSQL$QX2014");
const QString QX2005 = QStringLiteral("MSSQL$QX2005");
const QString QX2000 = QStringLiteral("MSSQL$QX2000");
const QString Computer = QStringLiteral("COUNTER-PC");

// A computer with the given INI files and service states; records every service question.
class FakeComputer
{
public:
    FakeComputer(QSet<QString> files, QMap<QString, int> states)
        : files_(std::move(files)), states_(std::move(states))
    {
    }

    EditionEnvironment Environment()
    {
        return {
            [this](const QString& path) { return files_.contains(path); },
            [this](const QString& machine, const QString& service) {
                asked.emplace_back(machine, service);
                return states_.value(service, 0);
            },
            [] { return Computer; },
        };
    }

    std::vector<std::pair<QString, QString>> asked;

private:
    QSet<QString> files_;
    QMap<QString, int> states_;
};

struct DetectionCase
{
    const char* name;
    QSet<QString> files;
    QMap<QString, int> states;
    QString expected;
};

TEST(DetectEdition, FirstRowWithFileAndRunningServiceWins)
{
    const DetectionCase cases[] = {
        {"both XE services run",
         {V6, V5},
         {{QX2014, Running}, {QX2005, Running}, {QX2000, Running}},
         QStringLiteral("QX2000XE SQL2014")},
        {"only the 2005 instance runs",
         {V6},
         {{QX2014, Stopped}, {QX2005, Running}},
         QStringLiteral("QX2000XE")},
        {"V6 file without its services falls through to V5",
         {V6, V5},
         {{QX2014, Stopped}, {QX2000, Running}},
         QStringLiteral("QX2000V5")},
        {"only V5, service stopped", {V5}, {{QX2000, Stopped}}, QString()},
        {"start pending is not running", {V6}, {{QX2014, StartPending}}, QString()},
        {"start pending skips to the next row",
         {V6},
         {{QX2014, StartPending}, {QX2005, Running}},
         QStringLiteral("QX2000XE")},
        {"paused is not running", {V5}, {{QX2000, Paused}}, QString()},
        {"unreadable state", {V6, V5}, {}, QString()},
        {"services without their INI files",
         {},
         {{QX2014, Running}, {QX2005, Running}, {QX2000, Running}},
         QString()},
        {"V5 service with only the V6 file", {V6}, {{QX2000, Running}}, QString()},
        {"XE service with only the V5 file", {V5}, {{QX2014, Running}}, QString()},
    };
    for (const DetectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeComputer computer(c.files, c.states);
        EXPECT_EQ(DetectEdition(computer.Environment()), c.expected);
    }
}

TEST(DetectEdition, AsksOnlyThisComputerAndOnlyWhereTheFileExists)
{
    FakeComputer onlyV5({V5}, {{QX2014, Running}, {QX2000, Stopped}});
    EXPECT_EQ(DetectEdition(onlyV5.Environment()), QString());
    EXPECT_EQ(onlyV5.asked, (std::vector{std::pair{Computer, QX2000}}));

    FakeComputer nothing({}, {{QX2014, Running}});
    EXPECT_EQ(DetectEdition(nothing.Environment()), QString());
    EXPECT_TRUE(nothing.asked.empty());

    FakeComputer firstWins({V6, V5}, {{QX2014, Running}, {QX2005, Running}});
    DetectEdition(firstWins.Environment());
    EXPECT_EQ(firstWins.asked, (std::vector{std::pair{Computer, QX2014}}));
}

TEST(EditionTable, MapsEachLabelBackToItsRow)
{
    const struct
    {
        QString label;
        QString iniFile;
        QString service;
        QString suffix;
    } rows[] = {
        {QStringLiteral("QX2000XE SQL2014"), V6, QX2014, QStringLiteral("\\QX2014;")},
        {QStringLiteral("QX2000XE"), V6, QX2005, QStringLiteral("\\QX2005")},
        {QStringLiteral("QX2000V5"), V5, QX2000, QStringLiteral("\\QX2000")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label.toStdString());
        const EditionRow* found = EditionByLabel(row.label);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->iniFile, row.iniFile);
        EXPECT_EQ(found->serviceName, row.service);
        EXPECT_EQ(found->instanceSuffix, row.suffix);
    }
    for (const char* other : {"", "ver.", "qx2000xe", "QX2000XE ", "QX2000XE SQL2014;"})
        EXPECT_EQ(EditionByLabel(QString::fromUtf8(other)), nullptr) << other;
}

TEST(ManagementSystemOnThisPlatform, NothingIsInstalledOrRunning)
{
    const QString computer = LocalComputerName();
    EXPECT_FALSE(computer.isEmpty());
    EXPECT_LE(computer.size(), 15);
    EXPECT_EQ(ServiceState(computer, QX2014), 0);
    EXPECT_FALSE(IsServiceRunning(computer, QX2014));
    EXPECT_FALSE(StartSqlService(computer, QX2000));
    EXPECT_EQ(DetectEdition(), QString());
    RefreshManagementIniCopy();
    EXPECT_FALSE(QFile::exists(QStringLiteral("C:\\QX2000V6\\DLL\\QX2000V6.INI")));
}

// The INI copy refresh on real files in a temporary folder.
class RefreshIniCopyTest : public ::testing::Test
{
protected:
    QString Path(const QString& name) const { return folder.filePath(name); }

    static void Write(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

TEST_F(RefreshIniCopyTest, ReplacesTheCopyWithTheSource)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("DLL")));
    Write(Path(QStringLiteral("QX2000V6.INI")), "[DATAPATH]\r\nPATH=NEW\r\n");
    Write(Path(QStringLiteral("DLL/QX2000V6.INI")), "[DATAPATH]\r\nPATH=OLD-AND-LONGER\r\n");

    RefreshIniCopy(Path(QStringLiteral("QX2000V6.INI")), Path(QStringLiteral("DLL/QX2000V6.INI")));
    EXPECT_EQ(Read(Path(QStringLiteral("DLL/QX2000V6.INI"))), "[DATAPATH]\r\nPATH=NEW\r\n");
}

TEST_F(RefreshIniCopyTest, KeepsTheCopyWhenTheSourceIsMissing)
{
    Write(Path(QStringLiteral("copy.INI")), "[DATAPATH]\r\nPATH=SERVER\r\n");
    RefreshIniCopy(Path(QStringLiteral("missing.INI")), Path(QStringLiteral("copy.INI")));
    EXPECT_EQ(Read(Path(QStringLiteral("copy.INI"))), "[DATAPATH]\r\nPATH=SERVER\r\n");
}

TEST_F(RefreshIniCopyTest, MissingCopyFolderIsIgnored)
{
    Write(Path(QStringLiteral("QX2000V6.INI")), "[DATAPATH]\r\n");
    RefreshIniCopy(Path(QStringLiteral("QX2000V6.INI")), Path(QStringLiteral("DLL/QX2000V6.INI")));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("DLL/QX2000V6.INI"))));
}

} // namespace

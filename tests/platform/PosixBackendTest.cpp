#include "ComputerName.h"
#include "FileSystem.h"
#include "Services.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::string Utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

TEST(PosixServices, NoServiceIsReadableOrStartable)
{
    for (const std::string& machine :
         {std::string(), platform::LocalComputerName(), std::string("127.0.0.1")}) {
        EXPECT_EQ(platform::ServiceState(machine, "MSSQL$QX2014"), 0);
        EXPECT_FALSE(platform::StartSqlService(machine, "MSSQL$QX2014"));
    }
}

TEST(PosixComputerName, IsTheHostNameCutToFifteenCharacters)
{
    const std::string name = platform::LocalComputerName();
    EXPECT_FALSE(name.empty());
    EXPECT_LE(QString::fromStdString(name).size(), 15);
    EXPECT_EQ(name, platform::CutComputerName(Utf8(QSysInfo::machineHostName())));
}

TEST(CutComputerName, KeepsAtMostFifteenWholeCharacters)
{
    const struct
    {
        const char* name;
        const char* cut;
    } cases[] = {
        {"", ""},
        {"COUNTER", "COUNTER"},
        {"PHARMACY-COUNTE", "PHARMACY-COUNTE"},  // exactly 15: whole
        {"PHARMACY-COUNTER", "PHARMACY-COUNTE"}, // 16: cut
        {"약국카운터컴퓨터일번약국카운터컴퓨터", "약국카운터컴퓨터일번약국카운터"},
        {"약국-counter-PC-01", "약국-counter-PC-0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::CutComputerName(c.name), c.cut);
    }
}

// Works inside a fresh temporary folder that is also the current folder.
class PosixFileSystem : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }

    std::string PathOf(const QString& name) const { return Utf8(folder.filePath(name)); }

    static void Write(const std::string& path, const QByteArray& content)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QByteArray Read(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QString previous;
};

TEST_F(PosixFileSystem, CopiesOverAnExistingFileAndRemovesIt)
{
    const std::string source = PathOf(QStringLiteral("설정.INI"));
    const std::string copy = PathOf(QStringLiteral("copy.INI"));
    Write(source, "[DATAPATH]\r\nPATH=SERVER\r\n");
    Write(copy, "old and longer content");

    EXPECT_TRUE(platform::FileExists(source));
    EXPECT_TRUE(platform::CopyFileOver(source, copy));
    EXPECT_EQ(Read(copy), QByteArray("[DATAPATH]\r\nPATH=SERVER\r\n"));
    EXPECT_TRUE(platform::RemoveFile(copy));
    EXPECT_FALSE(platform::FileExists(copy));
    EXPECT_FALSE(platform::RemoveFile(copy));
    EXPECT_FALSE(platform::CopyFileOver(copy, source));
    EXPECT_EQ(Read(source), QByteArray("[DATAPATH]\r\nPATH=SERVER\r\n"));
}

TEST_F(PosixFileSystem, FolderIsNoFile)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("DLL")));
    EXPECT_FALSE(platform::FileExists(PathOf(QStringLiteral("DLL"))));
    EXPECT_FALSE(platform::RemoveFile(PathOf(QStringLiteral("DLL"))));
    EXPECT_TRUE(QDir(folder.path()).exists(QStringLiteral("DLL")));
}

TEST_F(PosixFileSystem, WindowsDrivePathsNameNothingEvenWhenSuchANameExistsHere)
{
    const std::string source = "C:\\QX2000V6\\QX2000V6.INI";
    const std::string copy = "C:\\QX2000V6\\DLL\\QX2000V6.INI";
    Write(source, "present under a relative name");

    EXPECT_FALSE(platform::FileExists(source));
    EXPECT_FALSE(platform::CopyFileOver(source, copy));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(copy)));
    EXPECT_FALSE(platform::RemoveFile(source));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(source)));
}

} // namespace

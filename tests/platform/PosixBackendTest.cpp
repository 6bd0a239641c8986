#include "platform/ComputerName.h"
#include "platform/FileSystem.h"
#include "platform/FolderPrivacy.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

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

// Folders of one case under a root of the test's own, with their modes and, where the test may
// give them away (as the administrator), another owner.
class FolderTree
{
public:
    std::string Path(const char* relative) const { return Utf8(root.filePath(relative)); }

    // Makes the folder (and its missing parents, 0755) with the mode.
    void Folder(const char* relative, mode_t mode)
    {
        QDir().mkpath(root.filePath(relative));
        ASSERT_EQ(chmod(Path(relative).c_str(), mode), 0);
    }
    // Gives the folder to another user; no when the test may not.
    bool GiveAway(const char* relative) { return chown(Path(relative).c_str(), 65534, 65534) == 0; }
    void Link(const char* relative, const char* target)
    {
        ASSERT_EQ(symlink(target, Path(relative).c_str()), 0);
    }

    QTemporaryDir root;
};

// The update's folder is private only when nobody else can swap it or a folder on its way, as
// OpenSSH's StrictModes and sudo judge the way to a file; links on the way are followed.
TEST(PosixFolderPrivacy, EveryFolderOnTheWayCounts)
{
    const struct
    {
        const char* name;
        std::function<bool(FolderTree&)> make; // no: the case cannot be made here
        const char* folder;
        bool isPrivate;
    } cases[] = {
        {"the user's own way",
         [](FolderTree& t) {
             t.Folder("a/upd", 0700);
             return true;
         },
         "a/upd", true},
        {"a folder all may write, two above",
         [](FolderTree& t) {
             t.Folder("open", 0777);
             t.Folder("open/p/upd", 0700);
             return true;
         },
         "open/p/upd", false},
        {"a parent its group may write",
         [](FolderTree& t) {
             t.Folder("group", 0775);
             t.Folder("group/upd", 0700);
             return true;
         },
         "group/upd", false},
        {"a sticky folder of the administrator on the way",
         [](FolderTree& t) {
             t.Folder("sticky", 01777);
             t.Folder("sticky/upd", 0700);
             return chown(t.Path("sticky").c_str(), 0, 0) == 0;
         },
         "sticky/upd", true},
        {"a sticky folder of another user on the way",
         [](FolderTree& t) {
             t.Folder("sticky", 01777);
             t.Folder("sticky/upd", 0700);
             return t.GiveAway("sticky");
         },
         "sticky/upd", false},
        {"another user's folder on the way",
         [](FolderTree& t) {
             t.Folder("other/upd", 0700);
             return t.GiveAway("other");
         },
         "other/upd", false},
        {"the folder itself another user's",
         [](FolderTree& t) {
             t.Folder("upd", 0700);
             return t.GiveAway("upd");
         },
         "upd", false},
        {"the folder itself a link",
         [](FolderTree& t) {
             t.Folder("real", 0700);
             t.Link("upd", t.Path("real").c_str());
             return true;
         },
         "upd", false},
        {"a link on the way to the user's own folder",
         [](FolderTree& t) {
             t.Folder("real/upd", 0700);
             t.Link("link", t.Path("real").c_str());
             return true;
         },
         "link/upd", true},
        {"a relative link on the way",
         [](FolderTree& t) {
             t.Folder("real/upd", 0700);
             t.Folder("a", 0755);
             t.Link("a/link", "../real");
             return true;
         },
         "a/link/upd", true},
        {"a link on the way into a folder all may write",
         [](FolderTree& t) {
             t.Folder("open", 0777);
             t.Folder("open/real/upd", 0700);
             t.Link("link", t.Path("open/real").c_str());
             return true;
         },
         "link/upd", false},
        {"a link that all may replace",
         [](FolderTree& t) {
             t.Folder("real/upd", 0700);
             t.Folder("open", 0777);
             t.Link("open/link", t.Path("real").c_str());
             return true;
         },
         "open/link/upd", false},
        {"up and down again",
         [](FolderTree& t) {
             t.Folder("a/upd", 0700);
             return true;
         },
         "a/../a/upd", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FolderTree tree;
        if (!test.make(tree)) {
            std::cout << "not made here (another owner needs the administrator): " << test.name
                      << '\n';
            continue;
        }
        EXPECT_EQ(platform::FolderIsPrivate(tree.Path(test.folder)), test.isPrivate);
        EXPECT_EQ(platform::FolderIsPrivate(tree.Path(test.folder) + '/'), test.isPrivate);
    }
}

} // namespace

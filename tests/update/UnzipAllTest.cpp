#include "update/UnzipAll.h"

#include "tests/update/UpdateFixture.h"
#include "update/PackageFiles.h"
#include "update/ZipEntryName.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

// An unpacking folder inside a root, so that anything that climbs out shows.
class Unzip : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("staging"))); }

    QByteArray Package(const std::vector<PackageEntry>& entries) const
    {
        EXPECT_TRUE(WritePackage(archive, entries));
        return ReadFile(archive);
    }
    QString Folder() const { return root.filePath(QStringLiteral("staging")); }
    QString InFolder(const QString& name) const { return Folder() + u'/' + name; }
    QStringList FolderEntries() const
    {
        return QDir(Folder()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                        QDir::NoDotAndDotDot);
    }

    QTemporaryDir root;
    const QString archive = root.filePath(QStringLiteral("package.zip"));
};

TEST_F(Unzip, UnpacksTopLevelFilesReplacingOldOnesAndKeepingTheExecuteBit)
{
    WriteFile(InFolder(QStringLiteral("Quillane")), "old version, longer than the new one");
    const QByteArray package = Package({{"Quillane_UP", "updater", 0100755},
                                        {"Quillane", "new"},
                                        {"readme.txt", "made elsewhere", 0},
                                        {"NEWFILE.txt", "permission bits alone", 0600},
                                        {"sub/inner.txt", "x"},
                                        {"sub\\back.txt", "x"},
                                        {"folder/", "", 040755},
                                        {"other/", "", 0}});

    const QStringList files{"Quillane_UP", "Quillane", "readme.txt", "NEWFILE.txt"};
    EXPECT_EQ(PackageFiles(package), files) << "what the package brings is what unpacks";
    EXPECT_EQ(UnzipAll(package, Folder()), 4);

    EXPECT_THAT(FolderEntries(), UnorderedElementsAreArray(files));
    EXPECT_EQ(ReadFile(InFolder(QStringLiteral("Quillane_UP"))), "updater");
    EXPECT_EQ(ReadFile(InFolder(QStringLiteral("Quillane"))), "new");
    EXPECT_EQ(ReadFile(InFolder(QStringLiteral("NEWFILE.txt"))), "permission bits alone");
    EXPECT_TRUE(QFileInfo(InFolder(QStringLiteral("Quillane_UP"))).isExecutable());
    EXPECT_FALSE(QFileInfo(InFolder(QStringLiteral("Quillane"))).isExecutable());
}

TEST_F(Unzip, OnlyTheNamedFilesWhenAsked)
{
    const QByteArray package =
        Package({{"quillane_up.exe", "updater", 0100755}, {"Quillane", "new"}});

    EXPECT_EQ(UnzipAll(package, Folder(), {QStringLiteral("Quillane_UP.EXE")}), 1);

    EXPECT_THAT(FolderEntries(), ElementsAre("quillane_up.exe"));
}

// One entry that could land elsewhere, is no file, or names a file Windows would take for
// another refuses the whole package: nothing is unpacked and nothing lands outside.
TEST_F(Unzip, AHostileEntryRefusesTheWholePackage)
{
    const std::vector<PackageEntry> hostile = {
        {"../climbed", "x"},
        {"/absolute", "x"},
        {"C:climbed", "x"},
        {"\\\\server\\share\\x", "x"},
        {"..\\climbed2", "x"},
        {"..", "x"},
        {"a/../../climbed3", "x"},
        {"sub/.../x", "x"},
        {"link", "/etc/passwd", 0120777},
        {"fifo", "", 0010644},
        {"QUILLA~1.INI", "[replaced]"},
        {"NUL", "x"},
        {"com1.txt", "x"},
        {"GOOD", "twice, in another letter case"},
    };
    for (const PackageEntry& entry : hostile) {
        SCOPED_TRACE(entry.name);
        const QByteArray package = Package({{"good", "kept"}, entry});

        EXPECT_EQ(PackageFiles(package), std::nullopt);
        EXPECT_EQ(UnzipAll(package, Folder()), 0);

        EXPECT_THAT(FolderEntries(), IsEmpty());
        EXPECT_THAT(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                    UnorderedElementsAre("staging", "package.zip"));
    }
}

// A link planted at a file's name is replaced by the file, never written through.
TEST_F(Unzip, ALinkAtTheNameIsReplacedNotFollowed)
{
    const QString outside = root.filePath(QStringLiteral("outside.txt"));
    WriteFile(outside, "untouched");
    ASSERT_TRUE(QFile::link(outside, InFolder(QStringLiteral("Quillane"))));

    EXPECT_EQ(UnzipAll(Package({{"Quillane", "new"}}), Folder()), 1);

    EXPECT_EQ(ReadFile(outside), "untouched");
    EXPECT_FALSE(QFileInfo(InFolder(QStringLiteral("Quillane"))).isSymLink());
    EXPECT_EQ(ReadFile(InFolder(QStringLiteral("Quillane"))), "new");
}

TEST_F(Unzip, DamagedOrOversizedPackagesUnpackNothing)
{
    std::string content;
    for (int i = 0; i < 4096; ++i)
        content += char('a' + (i * 7919) % 26);
    const QByteArray whole = Package({{"Quillane", content}});
    QByteArray damaged = whole;
    damaged.replace(60, 30, "garbage in the compressed data");
    std::vector<PackageEntry> many;
    for (int i = 0; i <= 10000; ++i)
        many.push_back({"f" + std::to_string(i), ""});
    const struct
    {
        const char* name;
        QByteArray package;
    } cases[] = {
        {"not an archive", "this is no ZIP archive at all"}, {"empty", {}},
        {"truncated", whole.left(whole.size() / 2)},         {"damaged inside an entry", damaged},
        {"more than 10,000 entries", Package(many)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(UnzipAll(test.package, Folder()), 0);
        EXPECT_THAT(FolderEntries(), IsEmpty());
    }
}

TEST(ZipEntryName, OnlyPlainTopLevelNamesPassAsWindowsWouldNameThem)
{
    const struct
    {
        const char* name;
        const char* fileName; // nullptr: refused
    } cases[] = {
        {"Quillane_UP.EXE", "Quillane_UP.EXE"},
        {"약국.txt", "약국.txt"},
        {"..hidden", "..hidden"},
        {"quillane.ini.", "quillane.ini"},
        {"quillane.ini ", "quillane.ini"},
        {"quillane.ini. . ", "quillane.ini"},
        {"a~b.txt", "a~b.txt"},
        {"CONSOLE.txt", "CONSOLE.txt"},
        {"QUILLA~1.INI", nullptr},
        {"QUILLA~12", nullptr},
        {"NUL", nullptr},
        {"aux.ini", nullptr},
        {"LPT9.txt", nullptr},
        {"", nullptr},
        {".", nullptr},
        {"..", nullptr},
        {". .", nullptr},
        {"a/b", nullptr},
        {"a\\b", nullptr},
        {"dir/", nullptr},
        {"/etc/passwd", nullptr},
        {"\\\\host\\share", nullptr},
        {"C:evil", nullptr},
        {"name:stream", nullptr},
        {"tab\tname", nullptr},
        {"del\x7fname", nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::optional<QString> fileName = TopLevelFileName(QString::fromUtf8(test.name));
        if (test.fileName == nullptr) {
            EXPECT_FALSE(fileName.has_value());
        } else {
            ASSERT_TRUE(fileName.has_value());
            EXPECT_EQ(*fileName, QString::fromUtf8(test.fileName));
        }
    }
}

} // namespace

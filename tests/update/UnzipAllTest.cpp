#include "UnzipAll.h"

#include "MessageBox.h"
#include "ZipEntryName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zip.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

struct ArchiveEntry
{
    std::string name;
    std::string content;
    zip_uint32_t unixMode = 0100644; // 0: made on a system without Unix modes
};

// Writes a ZIP archive with the entries, as an update package would be made.
void WriteArchive(const QString& path, const std::vector<ArchiveEntry>& entries)
{
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const ArchiveEntry& entry : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, entry.content.data(), entry.content.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << entry.name;
        if (entry.unixMode != 0)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             entry.unixMode << 16);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A package folder beside the unpacking folder, so that anything that climbs out shows.
class Unzip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("temp")));
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request.text + u'|' + request.caption);
            EXPECT_EQ(request.icon, MessageIcon::Error);
            return MessageAnswer::Ok;
        });
    }
    void TearDown() override { SetMessageBoxHandler({}); }

    QString Folder() const { return root.filePath(QStringLiteral("temp")); }
    QString InFolder(const QString& name) const { return Folder() + u'/' + name; }
    QStringList FolderEntries() const
    {
        return QDir(Folder()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                        QDir::NoDotAndDotDot);
    }
    QStringList RootEntries() const
    {
        return QDir(root.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir root;
    const QString package = root.filePath(QStringLiteral("QUILLANE_UPDATE.ZIP"));
    std::vector<QString> messages;
};

TEST_F(Unzip, UnpacksTopLevelFilesReplacingOldOnesAndKeepingTheExecuteBit)
{
    QFile old(InFolder(QStringLiteral("Quillane")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old version, longer than the new one");
    old.close();
    WriteArchive(package, {{"Quillane_UP", "updater", 0100755},
                           {"Quillane", "new"},
                           {"readme.txt", "made elsewhere", 0},
                           {"sub/inner.txt", "x"},
                           {"sub\\back.txt", "x"},
                           {"folder/", ""}});

    EXPECT_EQ(UnzipAll(package, Folder()), 3);

    EXPECT_THAT(FolderEntries(), UnorderedElementsAre("Quillane_UP", "Quillane", "readme.txt"));
    EXPECT_EQ(Bytes(InFolder(QStringLiteral("Quillane_UP"))), "updater");
    EXPECT_EQ(Bytes(InFolder(QStringLiteral("Quillane"))), "new");
    EXPECT_TRUE(QFileInfo(InFolder(QStringLiteral("Quillane_UP"))).isExecutable());
    EXPECT_FALSE(QFileInfo(InFolder(QStringLiteral("Quillane"))).isExecutable());
    EXPECT_THAT(messages, IsEmpty());
}

// Entries that would land outside the folder, and entries that are not regular files, are
// skipped; the files beside them are unpacked.
TEST_F(Unzip, NothingLandsOutsideTheFolder)
{
    WriteArchive(package, {{"../climbed", "x"},
                           {"/absolute", "x"},
                           {"C:climbed", "x"},
                           {"\\\\server\\share\\x", "x"},
                           {"..\\climbed2", "x"},
                           {"..", "x"},
                           {"link", "/etc/passwd", 0120777},
                           {"fifo", "", 0010644},
                           {"good", "kept"}});

    EXPECT_EQ(UnzipAll(package, Folder()), 1);

    EXPECT_THAT(FolderEntries(), ElementsAre("good"));
    EXPECT_THAT(RootEntries(), UnorderedElementsAre("temp", "QUILLANE_UPDATE.ZIP"));
}

// A link planted at a file's name is replaced by the file, never written through.
TEST_F(Unzip, ALinkAtTheNameIsReplacedNotFollowed)
{
    const QString outside = root.filePath(QStringLiteral("outside.txt"));
    QFile target(outside);
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write("untouched");
    target.close();
    ASSERT_TRUE(QFile::link(outside, InFolder(QStringLiteral("Quillane"))));
    WriteArchive(package, {{"Quillane", "new"}});

    EXPECT_EQ(UnzipAll(package, Folder()), 1);

    EXPECT_EQ(Bytes(outside), "untouched");
    EXPECT_FALSE(QFileInfo(InFolder(QStringLiteral("Quillane"))).isSymLink());
    EXPECT_EQ(Bytes(InFolder(QStringLiteral("Quillane"))), "new");
}

struct FailureCase
{
    const char* name;
    std::function<void(const QString& path)> make;
};

TEST_F(Unzip, DamagedEmptyOrOversizedArchivesUnpackNothingAndSaySo)
{
    const std::vector<FailureCase> cases = {
        {"not an archive",
         [](const QString& path) {
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.write("this is no ZIP archive at all");
         }},
        {"missing", [](const QString& path) { QFile::remove(path); }},
        {"truncated",
         [](const QString& path) {
             WriteArchive(path, {{"Quillane", std::string(4096, 'q')}});
             QFile file(path);
             file.resize(file.size() / 2);
         }},
        {"damaged inside an entry",
         [](const QString& path) {
             std::string content;
             for (int i = 0; i < 4096; ++i)
                 content += char('a' + (i * 7919) % 26);
             WriteArchive(path, {{"Quillane", content}});
             QFile file(path);
             file.open(QIODevice::ReadWrite);
             file.seek(60);
             file.write("garbage in the compressed data");
         }},
        {"only unsafe entries",
         [](const QString& path) {
             WriteArchive(path, {{"../x", "x"}});
         }},
        {"more than 10,000 entries",
         [](const QString& path) {
             std::vector<ArchiveEntry> entries;
             for (int i = 0; i <= 10000; ++i)
                 entries.push_back({"f" + std::to_string(i), ""});
             WriteArchive(path, entries);
         }},
    };
    for (const FailureCase& test : cases) {
        SCOPED_TRACE(test.name);
        messages.clear();
        test.make(package);

        EXPECT_EQ(UnzipAll(package, Folder()), 0);

        EXPECT_THAT(messages, ElementsAre(u"압축풀기 실패했습니다. 자료를 확인하세요|ERRORS"_qs));
        EXPECT_THAT(FolderEntries(), IsEmpty());
    }
}

TEST_F(Unzip, OnlyArchivesNamedZipAreOpened)
{
    const QString lower = root.filePath(QStringLiteral("package.zip"));
    const QString other = root.filePath(QStringLiteral("package.dat"));
    WriteArchive(lower, {{"a", "1"}});
    WriteArchive(other, {{"b", "2"}});

    EXPECT_EQ(UnzipAll(lower, Folder()), 1);
    EXPECT_EQ(UnzipAll(other, Folder()), 0);

    EXPECT_THAT(FolderEntries(), ElementsAre("a"));
    EXPECT_THAT(messages, IsEmpty()) << "a name that is no archive is passed over silently";
}

TEST(ZipEntryName, OnlyPlainTopLevelNamesPass)
{
    const struct
    {
        const char* name;
        const char* fileName; // nullptr: refused
    } cases[] = {
        {"Quillane_UP.EXE", "Quillane_UP.EXE"},
        {"약국.txt", "약국.txt"},
        {"..hidden", "..hidden"},
        {"", nullptr},
        {".", nullptr},
        {"..", nullptr},
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

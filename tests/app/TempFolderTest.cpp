#include "app/TempFolder.h"

#include "core/program/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <unistd.h>

namespace {

void Write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Every entry below the folder, links not followed: a file's content, "<dir>" or "<link>".
std::map<QString, QByteArray> Entries(const QString& folder)
{
    std::map<QString, QByteArray> entries;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        QFile file(entry.filePath());
        entries[entry.fileName()] = entry.isSymLink()                ? "<link>"
                                    : entry.isDir()                  ? "<dir>"
                                    : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                     : "<unreadable>";
    }
    return entries;
}

// The program folder whose files share their names with what an earlier update left in the
// temporary folder; the shared temporary folder is "Temp" beside it.
class TempFolderCleanUp : public ::testing::Test
{
public:
    void SetUp() override
    {
        Write(Program("Quillane.MDB"), "the local database");
        Write(Program("Quillane_UP.EXE"), "the updater");
        Write(Program("quillane.ini"), "the registration");
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request.text);
            return MessageAnswer::Ok;
        });
    }
    void TearDown() override { SetMessageBoxHandler({}); }

    QString Program(const QString& name) const { return root.filePath("program/" + name); }
    QString Temp(const QString& name = {}) const { return root.filePath("Temp/" + name); }

    QTemporaryDir root;
    std::vector<QString> messages;
};

// Another user may have made the shared folder a link, or put anything at its name: only plain
// files right inside a folder of the user's own go, whatever their letter case.
TEST_F(TempFolderCleanUp, RemovesOnlyPlainFilesInAFolderOfTheUsersOwn)
{
    const std::map<QString, QByteArray> program = Entries(Program(""));
    const struct
    {
        const char* name;
        std::function<bool(TempFolderCleanUp&)> arrange; // no: cannot be made here
        std::map<QString, QByteArray> left;
    } cases[] = {
        {"a link to the program folder",
         [](TempFolderCleanUp& t) { return QFile::link(t.Program(""), t.root.filePath("Temp")); },
         {}},
        {"the user's own folder",
         [](TempFolderCleanUp& t) {
             for (const char* name : {"QUILLANE.MDB", "quillane_up.exe", "Quillane.EXE",
                                      "QUILLANE_Version.INI", "quillane_update.zip", "keep.txt"})
                 Write(t.Temp(name), "left by an update");
             QDir().mkpath(t.Temp("QUILLANE_UPDATE.ZIP"));
             return QFile::link(t.Program("Quillane.MDB"), t.Temp("quillane.mdb"));
         },
         {{"keep.txt", "left by an update"},
          {"QUILLANE_UPDATE.ZIP", "<dir>"},
          {"quillane.mdb", "<link>"}}},
        {"another user's folder",
         [](TempFolderCleanUp& t) {
             Write(t.Temp("Quillane.MDB"), "his");
             return chown(QFile::encodeName(t.Temp()).constData(), 65534, 65534) == 0;
         },
         {{"Quillane.MDB", "his"}}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QFile::remove(root.filePath("Temp"));
        QDir(Temp()).removeRecursively();
        if (!test.arrange(*this)) {
            std::cout << "not made here (another owner needs the administrator): " << test.name
                      << '\n';
            continue;
        }

        EXPECT_TRUE(PrepareTempFolder(Temp()));

        EXPECT_EQ(Entries(Program("")), program) << "the program folder stays whole";
        if (!QFileInfo(root.filePath("Temp")).isSymLink()) {
            EXPECT_EQ(Entries(Temp()), test.left);
        }
    }
    EXPECT_TRUE(messages.empty());
}

// Something else at the folder's name is left alone and the start-up goes on; a missing folder
// is made.
TEST_F(TempFolderCleanUp, AFileAtTheNameStaysAndAMissingFolderIsMade)
{
    Write(root.filePath("Temp"), "another user's file");
    EXPECT_TRUE(PrepareTempFolder(Temp()));
    QFile planted(root.filePath("Temp"));
    ASSERT_TRUE(planted.open(QIODevice::ReadOnly));
    EXPECT_EQ(planted.readAll(), "another user's file");

    EXPECT_TRUE(PrepareTempFolder(root.filePath("new/Temp/")));
    EXPECT_TRUE(QFileInfo(root.filePath("new/Temp")).isDir());
    EXPECT_TRUE(messages.empty());
}

} // namespace

#include "core/localdb/LocalDatabase.h"

#include "core/localdb/LocalDatabaseSession.h"
#include "core/localdb/LocalStatements.h"
#include "core/localdb/SqlOperations.h"
#include "core/program/MessageBox.h"
#include "core/program/ProgramValues.h"

#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const QString TestData = QStringLiteral(QUILLANE_TEST_DATA "/mdb/");
const QString KoreanFixture = TestData + "synthetic-korean-v2003.mdb";
const QString UnicodeFixture = TestData + "testUnicodeCompV2003.mdb";
const QString BuiltDatabase = QStringLiteral(QUILLANE_PROGRAM_DIR "/Quillane.MDB");

// A program folder whose Quillane.MDB holds the given bytes (or is missing), the message boxes
// recorded, and LocalDatabaseSession constructed on it.
class LocalDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return MessageAnswer::Ok;
        });
        ProgramFolder = folder.path() + QLatin1Char('/');
    }

    void TearDown() override
    {
        session.reset();
        SetMessageBoxHandler({});
    }

    void Open(const QString& source)
    {
        ASSERT_TRUE(QFile::copy(source, ProgramFolder + "Quillane.MDB"));
        OpenAsItIs();
    }

    void OpenBytes(const QByteArray& bytes)
    {
        QFile file(ProgramFolder + "Quillane.MDB");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        OpenAsItIs();
    }

    void OpenAsItIs() { session = std::make_unique<LocalDatabaseSession>(); }

    QSqlQuery& Run(const QString& statement)
    {
        QString error;
        EXPECT_TRUE(OpenSql(*LocalQuery, statement, error)) << error.toStdString();
        return *LocalQuery;
    }

    std::vector<int> Seqs(const QString& statement)
    {
        std::vector<int> seqs;
        QSqlQuery& query = Run(statement);
        while (query.next())
            seqs.push_back(query.value("Seq").toInt());
        return seqs;
    }

    int Count(const QString& statement)
    {
        QSqlQuery& query = Run(statement);
        int rows = 0;
        while (query.next())
            ++rows;
        return rows;
    }

    QTemporaryDir folder;
    std::vector<MessageRequest> messages;
    std::unique_ptr<LocalDatabaseSession> session;
};

TEST_F(LocalDatabaseTest, ReadsTheJetFixtureWithTypesNullsAndLongMemos)
{
    Open(KoreanFixture);
    ASSERT_NE(LocalQuery, nullptr);
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(Count("SELECT * FROM qx_ZipCode"), 40);
    EXPECT_EQ(Count("SELECT * FROM HOLIDAY"), 158);
    EXPECT_EQ(Count("SELECT * FROM EdgeCases"), 5);

    EXPECT_EQ(Seqs(ZipcodeLookupStatement("135", "080")), std::vector<int>{1});
    EXPECT_EQ(Seqs(ZipSearchStatement("역삼")), (std::vector<int>{1, 2, 3, 4, 35}));
    EXPECT_EQ(Seqs("SELECT * FROM qx_ZipCode WHERE Ri IS NOT NULL ORDER BY Seq"),
              (std::vector<int>{7, 14, 21, 28, 35}));
    EXPECT_EQ(Seqs("SELECT * FROM qx_ZipCode WHERE Bunji = '' ORDER BY Seq"),
              (std::vector<int>{11, 22, 33}));

    QSqlQuery& edge = Run("SELECT * FROM EdgeCases ORDER BY ID");
    ASSERT_TRUE(edge.next());
    EXPECT_EQ(edge.value("Txt").toString(), "plain ascii");
    EXPECT_EQ(edge.value("Flag").toInt(), 1);
    EXPECT_EQ(edge.value("When").toString(), "2026-01-01 00:00:00");
    EXPECT_DOUBLE_EQ(edge.value("Num").toDouble(), 3.5);
    ASSERT_TRUE(edge.next());
    EXPECT_TRUE(edge.value("Txt").isNull());
    EXPECT_TRUE(edge.value("Memo").isNull());
    EXPECT_EQ(edge.value("Flag").toInt(), 0);
    ASSERT_TRUE(edge.next());
    EXPECT_FALSE(edge.value("Txt").isNull());
    EXPECT_EQ(edge.value("Txt").toString(), "");
    EXPECT_EQ(edge.value("Memo").toString(), "");
    ASSERT_TRUE(edge.next());
    EXPECT_EQ(edge.value("Txt").toString(), "서울 강남구 역삼동 123-45");
    EXPECT_EQ(edge.value("Memo").toString().size(), 7000);
    ASSERT_TRUE(edge.next());
    EXPECT_EQ(edge.value("Price").toString(), "922337203685477.5807");
}

TEST_F(LocalDatabaseTest, ReadsCompressedAndRawUnicodeText)
{
    Open(UnicodeFixture);
    ASSERT_NE(LocalQuery, nullptr);
    QString everyLatin1;
    for (char16_t c = 1; c <= 0xFF; ++c)
        everyLatin1 += QChar(c);
    const QString expected[] = {
        "only ascii chars",
        "ääkkösiä",
        "Мир",
        QString::fromUtf16(u"\u03F0\u03B1\u1F76 \u03C4\u1F79\u03C4' \u1F10\u03B3\u1F7C "
                           u"\u039A\u1F7B\u03F0\u03BB\u03C9\u03C0\u03B1"),
        "漢字仮名交じり文",
        QString::fromUtf16(u"3L9\u001D52\u0002_AB(\u00A5\u0005!!V"),
        "ümlaut",
        everyLatin1,
    };
    QSqlQuery& query = Run("SELECT * FROM [Table] ORDER BY ID");
    for (const QString& value : expected) {
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value("unicode").toString(), value);
    }
    EXPECT_FALSE(query.next());
}

TEST_F(LocalDatabaseTest, StatementFailuresReachTheCallerAndTryOpenSqlLeavesTheQueryInactive)
{
    Open(KoreanFixture);
    ASSERT_NE(LocalQuery, nullptr);
    Run(ZipSearchStatement("역삼"));
    ASSERT_TRUE(LocalQuery->isActive());

    EXPECT_FALSE(TryOpenSql(*LocalQuery, "SELECT NoSuchColumn FROM qx_ZipCode"));
    EXPECT_FALSE(LocalQuery->isActive());

    QString error;
    EXPECT_FALSE(OpenSql(*LocalQuery, "SELECT * FROM NoSuchTable", error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(LocalDatabaseTest, BuiltDatabaseIsOpenedReadOnly)
{
    Open(BuiltDatabase);
    ASSERT_NE(LocalQuery, nullptr);
    QString error;
    EXPECT_FALSE(ExecSql(*LocalQuery, "DELETE FROM HOLIDAY", error));
    EXPECT_EQ(Count("SELECT * FROM HOLIDAY"), 158);
}

TEST_F(LocalDatabaseTest, OperationsWorkOnAnyConnection)
{
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName(":memory:");
        ASSERT_TRUE(other.open());
        QSqlQuery query(other);
        QString error;
        ASSERT_TRUE(ExecSql(query, "CREATE TABLE t (k INTEGER, v TEXT)", error));
        ASSERT_TRUE(ExecSql(query, "INSERT INTO t VALUES (2, 'b'), (1, 'a')", error));
        ASSERT_TRUE(OpenSql(query, "SELECT TOP 1 * FROM t ORDER BY k", error));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value("V").toString(), "a");
        EXPECT_FALSE(query.next());
    }
    QSqlDatabase::removeDatabase("other");
}

struct BrokenFile
{
    const char* name;
    QByteArray bytes;
    bool missing;
};

TEST_F(LocalDatabaseTest, MissingOrUnreadableFileShowsTheMessageAndLeavesNoQuery)
{
    QFile jet(KoreanFixture);
    ASSERT_TRUE(jet.open(QIODevice::ReadOnly));
    // Property blobs whose first record claims a length of zero: libmdb's catalog reader would
    // never get past them.
    QFile unicode(UnicodeFixture);
    ASSERT_TRUE(unicode.open(QIODevice::ReadOnly));
    QByteArray endlessProperties = unicode.readAll();
    const QByteArray blobStart("MR2\0", 4);
    for (qsizetype blob = endlessProperties.indexOf(blobStart); blob >= 0;
         blob = endlessProperties.indexOf(blobStart, blob + 1))
        endlessProperties.replace(blob + 4, 4, QByteArray(4, '\0'));
    // A table definition whose map of data pages points at an empty row (the pointer at offset 55
    // of a Jet 4 definition page): libmdb fetched the rows through a map it did not have.
    const auto withoutPageMap = [](const QString& fixture, int definitionPage, int mapPage) {
        QFile file(fixture);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        const quint32 emptyRow = quint32(mapPage) << 8 | 95;
        qToLittleEndian(emptyRow, bytes.data() + definitionPage * 4096 + 55);
        return bytes;
    };
    const BrokenFile cases[] = {
        {"missing", {}, true},
        {"empty", {}, false},
        {"garbage", "this is not a database at all, only some text\n", false},
        {"cut sqlite", QByteArray("SQLite format 3\0", 16) + QByteArray(84, '\x01'), false},
        {"cut jet", jet.read(2048), false},
        {"jet with endless object properties", endlessProperties, false},
        {"jet whose catalog has no page map", withoutPageMap(KoreanFixture, 2, 6), false},
        {"jet whose table has no page map", withoutPageMap(UnicodeFixture, 53, 54), false},
    };
    for (const BrokenFile& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        QFile::remove(ProgramFolder + "Quillane.MDB");
        if (c.missing)
            OpenAsItIs();
        else
            OpenBytes(c.bytes);
        EXPECT_EQ(LocalQuery, nullptr);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Quillane.MDB 연결실패!!");
        EXPECT_EQ(messages[0].caption, "경고");
        EXPECT_EQ(messages[0].icon, MessageIcon::Error);
        QSqlQuery onConnection(LocalConnection());
        EXPECT_FALSE(TryOpenSql(onConnection, HolidayStatement(2026)));
        session.reset();
    }
}

// The four statements on an Access file and on the SQLite file the build makes.
struct DatabaseCase
{
    const char* name;
    QString file;
    QString zipcodeFirst;
    QString zipcodeSecond;
    int zipcodeSeq;
    std::vector<int> searchSeqs;
};

class LocalStatementsOnDatabase : public LocalDatabaseTest,
                                  public ::testing::WithParamInterface<DatabaseCase>
{
};

TEST_P(LocalStatementsOnDatabase, RunTheFourStatements)
{
    Open(GetParam().file);
    ASSERT_NE(LocalQuery, nullptr);

    QSqlQuery& holidays = Run(HolidayStatement(2026));
    QStringList kinds;
    while (holidays.next()) {
        kinds << holidays.value("h_gubun").toString();
        EXPECT_TRUE(holidays.value("H_DAY").toString().startsWith("2026-"));
    }
    EXPECT_EQ(kinds.size(), 22);
    EXPECT_EQ(kinds.count("2"), 6);
    EXPECT_TRUE(std::is_sorted(kinds.rbegin(), kinds.rend())) << "festivals first";

    EXPECT_EQ(Count(HolidayStatement(1999)), 0);

    const QString first3 = GetParam().zipcodeFirst;
    const QString last3 = GetParam().zipcodeSecond;
    EXPECT_EQ(Seqs(ZipcodeLookupTopStatement(first3, last3)),
              std::vector<int>{GetParam().zipcodeSeq});
    QSqlQuery& lookup = Run(ZipcodeLookupStatement(first3, last3));
    ASSERT_TRUE(lookup.next());
    EXPECT_EQ(lookup.value("seq").toInt(), GetParam().zipcodeSeq);
    EXPECT_FALSE(lookup.value("GuGun").toString().isEmpty());
    EXPECT_TRUE(lookup.value("dong").toString().startsWith("역삼동"));
    EXPECT_EQ(lookup.value("ZIPCODE").toString(), first3 + "-" + last3);

    EXPECT_EQ(Seqs(ZipSearchStatement("역삼")), GetParam().searchSeqs);
    EXPECT_TRUE(Seqs(ZipSearchStatement("역'삼")).empty());
    EXPECT_TRUE(Seqs(ZipSearchStatement("' or ''='")).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, LocalStatementsOnDatabase,
    ::testing::Values(DatabaseCase{"jet", KoreanFixture, "135", "080", 1, {1, 2, 3, 4, 35}},
                      DatabaseCase{"built", BuiltDatabase, "135", "080", 11, {11, 12, 13}}),
    [](const ::testing::TestParamInfo<DatabaseCase>& param) { return param.param.name; });

} // namespace

#include "FakeManagementDatabase.h"
#include "LocalDatabase.h"
#include "ManagementEnvironment.h"
#include "MessageBox.h"
#include "Pause.h"
#include "ProgressStrip.h"
#include "Quillane_Define.h"
#include "Quillane_Kibon.h"
#include "Settings.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

const QString KoreanFixture = QStringLiteral(QUILLANE_TEST_DATA "/mdb/synthetic-korean-v2003.mdb");

const QString XeText =
    "Provider=SQLOLEDB.1;Password=MTQ&^!!#(!;Persist Security Info=True;User id=sa;Initial "
    "Catalog=QX_BASE;Data Source=PHARM-PC\\QX2005";
const QString Count1 =
    " SELECT COUNT(*) AS CNT FROM QX_PRES..PS_MAIN WHERE DATEDIFF(D, GETDATE(), INDATE) >= -30 ";
const QString Count2 = " SELECT COUNT(*) AS CNT FROM QX_PRES..INS_COMPOS WHERE DATEDIFF(D, "
                       "GETDATE(), INDATE) >= -30 ";
const QString Count3 = " SELECT COUNT(*) AS CNT FROM QX_PRES.DBO.SALE_MAIN WHERE DATEDIFF(D, "
                       "GETDATE(), SL_DT_APPL) >= -30 ";
const QString Probe = " SELECT TOP 1 SINSANG_YEAR FROM QX_BASE..APT_PHARM ";
const QString Alter = " ALTER TABLE QX_BASE..APT_PHARM ADD SINSANG_YEAR NVARCHAR(15) NULL";
const QString Pharmacy = " SELECT * FROM QX_BASE..APT_PHARM ";
const QString Question = "QX2000의 약국정보를 초록우체통 기본정보로 사용하시겠습니까?";

ManagementRows Count(int count)
{
    return {Row({{"CNT", count}})};
}

// The management database's pharmacy, with blanks around the values as the product stores them.
ManagementRows PharmacyRow(const QString& postno)
{
    return {Row({{"AUTHNAME", " 김약사 "},
                 {"LICENCE", "01234 "},
                 {"NAME", "\t튼튼약국"},
                 {"postno", postno},
                 {"addr2", " 1층 "},
                 {"tel", "02-555-0101"},
                 {"phone_num", QVariant()},
                 {"SINSANG_YEAR", "2020"}}),
            Row({{"AUTHNAME", "다른약사"}})};
}

// A program folder with the Jet fixture as its local database, a form, and a management
// system of edition QX2000XE on this computer whose service runs, all recorded.
class ImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramFolder = folder.path() + "/";
        SetupIniPath = ProgramFolder + "setup.ini";
        AutoCheck.clear();
        CloseOnPaint = false;
        ASSERT_TRUE(QFile::copy(KoreanFixture, ProgramFolder + "Quillane.MDB"));
        login = std::make_unique<TLOGIN>();
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return answer;
        });
        SetPauseHandler([this](int milliseconds) { pauses.push_back(milliseconds); });
        SetManagementEnvironment({
            [this] { return edition; },
            [this](const QString& iniFile) {
                iniFiles << iniFile;
                return host;
            },
            [this](const QString& machine, const QString& service) {
                asked << machine + " " + service;
                return running();
            },
            [this](const QString& machine, const QString& service) {
                started << machine + " " + service;
                return false;
            },
            [this] { return computer; },
            [this] {
                ++databases;
                return std::make_unique<FakeManagementDatabase>(server);
            },
        });
        Reset();
    }

    // A new form and management database, nothing recorded yet.
    void Reset()
    {
        server = std::make_shared<FakeManagementServer>();
        server->rows = {{Count1, Count(0)},
                        {Count2, Count(0)},
                        {Count3, Count(0)},
                        {Pharmacy, PharmacyRow("135080")}};
        form = std::make_unique<Tfrm_Kibon>();
        // Typed before: a finished import sends the identity check without asking for it.
        form->EdiT_Jumin->setText("8801231");
        messages.clear();
        pauses.clear();
        started.clear();
        asked.clear();
        iniFiles.clear();
        databases = 0;
        QFile::remove(ProgramFolder + "quillane.ini");
    }

    void TearDown() override
    {
        form.reset();
        login.reset();
        SetManagementEnvironment(SystemManagementEnvironment());
        SetPauseHandler({});
        SetMessageBoxHandler({});
    }

    void Import()
    {
        form->ImportFromManagementDb();
        EXPECT_TRUE(form->findChildren<ProgressStrip*>().isEmpty()) << "the banner stays";
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const MessageRequest& message : messages)
            texts << message.text;
        return texts;
    }

    QString Setting(const QString& key) const
    {
        return ReadIniString(ProgramFolder + "quillane.ini", "기본정보", key, "<missing>");
    }

    QTemporaryDir folder;
    std::unique_ptr<TLOGIN> login;
    std::unique_ptr<Tfrm_Kibon> form;
    std::shared_ptr<FakeManagementServer> server = std::make_shared<FakeManagementServer>();
    QString edition = "QX2000XE";
    QString host = "PHARM-PC";
    QString computer = "PHARM-PC";
    std::function<bool()> running = [] { return true; };
    MessageAnswer answer = MessageAnswer::Yes;
    std::vector<MessageRequest> messages;
    std::vector<int> pauses;
    QStringList iniFiles, asked, started;
    int databases = 0;
};

struct ActivityCase
{
    const char* name;
    QString settingsName;
    std::array<int, 3> counts;
    MessageAnswer answer;
    bool columnExists;
    QStringList calls;
    QStringList messages;
    bool confirmed;
    bool imported;
};

TEST_F(ImportTest, ActivityDecidesTheQuestionAndTheStatements)
{
    const QStringList select = {"try open sql: " + Probe, "open sql: " + Pharmacy};
    const QStringList open = {"open: " + XeText, "open sql: " + Count1};
    const QStringList allCounts = open + QStringList{"open sql: " + Count2, "open sql: " + Count3};
    const ActivityCase cases[] = {
        {"one sale 30 days ago confirms the identity",
         "홍길동",
         {0, 0, 1},
         MessageAnswer::No,
         true,
         allCounts + select + QStringList{"close"},
         {},
         true,
         true},
        {"a prescription skips the other counts",
         "홍길동",
         {3, 0, 0},
         MessageAnswer::No,
         true,
         open + select + QStringList{"close"},
         {},
         true,
         true},
        {"a missing column is added once",
         "홍길동",
         {0, 7, 0},
         MessageAnswer::No,
         false,
         open + QStringList{"open sql: " + Count2, "try open sql: " + Probe, "exec sql: " + Alter,
                            "open sql: " + Pharmacy, "close"},
         {},
         true,
         true},
        {"no activity and no settings: nothing asked, nothing imported",
         " ",
         {0, 0, 0},
         MessageAnswer::Yes,
         true,
         allCounts + QStringList{"close"},
         {},
         false,
         false},
        {"no activity, settings held, answer Yes",
         "홍길동",
         {0, 0, 0},
         MessageAnswer::Yes,
         true,
         allCounts + select + QStringList{"close"},
         {Question},
         false,
         true},
        {"no activity, settings held, answer No",
         "홍길동",
         {0, 0, 0},
         MessageAnswer::No,
         true,
         allCounts + QStringList{"close"},
         {Question},
         false,
         false},
    };
    for (const ActivityCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        form->SettingsName = c.settingsName;
        form->IdentityConfirmed = !c.confirmed;
        server->rows[Count1] = Count(c.counts[0]);
        server->rows[Count2] = Count(c.counts[1]);
        server->rows[Count3] = Count(c.counts[2]);
        if (!c.columnExists)
            server->failing << Probe;
        answer = c.answer;
        Import();
        EXPECT_EQ(server->calls, c.calls);
        EXPECT_EQ(Texts(), c.messages);
        if (!messages.empty()) {
            EXPECT_EQ(messages[0].caption, "선택");
            EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
        }
        EXPECT_EQ(form->IdentityConfirmed, c.confirmed);
        EXPECT_EQ(form->Edit_kibon1->text(), c.imported ? "김약사" : "");
        EXPECT_FALSE(QFile::exists(ProgramFolder + "quillane.ini"));
    }
}

TEST_F(ImportTest, AnswerNoEmptiesTheFieldsAndPutsTheFocusInTheName)
{
    form->SettingsName = "홍길동";
    for (QLineEdit* field : form->findChildren<QLineEdit*>())
        field->setText("값");
    form->lb_kibon1->setText("서울 어딘가");
    form->chk_kibon1->setChecked(true);
    answer = MessageAnswer::No;
    Import();
    for (QLineEdit* field : form->findChildren<QLineEdit*>())
        EXPECT_TRUE(field->text().isEmpty());
    EXPECT_TRUE(form->lb_kibon1->text().isEmpty());
    EXPECT_TRUE(form->chk_kibon1->isChecked());
    EXPECT_EQ(form->focusWidget(), form->Edit_kibon1);
}

struct RowCase
{
    const char* name;
    QString postno;
    QString addressBefore;
    QString part1;
    QString part2;
    QString address;
};

TEST_F(ImportTest, PharmacyRowFillsTheFieldsAndTheBlankAddressLine)
{
    const RowCase cases[] = {
        {"six digits find the address", "135080", "", "135", "080", "부산광역시강남구역삼동 2가"},
        {"a blank address line counts as empty", "135080", "  ", "135", "080",
         "부산광역시강남구역삼동 2가"},
        {"an address line already there stays", "135080", "기존 주소", "135", "080", "기존 주소"},
        {"five digits find nothing", "06236", "", "062", "36", ""},
        {"parts keep their blanks", "1 5 ", "", "1 5", " ", ""},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        server->rows[Count3] = Count(1);
        server->rows[Pharmacy] = PharmacyRow(c.postno);
        form->lb_kibon1->setText(c.addressBefore);
        form->Edit_kibon13->setText("02-555-0102");
        form->Edit_kibon16->setText("역 앞");
        form->EdiT_Jumin->setText("8801231");
        form->SettingsName = "홍길동";
        Import();
        EXPECT_EQ(form->Edit_kibon1->text(), "김약사");
        EXPECT_EQ(form->Edit_kibon2->text(), "01234");
        EXPECT_EQ(form->Edit_kibon3->text(), "튼튼약국");
        EXPECT_EQ(form->Edit_kibon4->text(), c.part1);
        EXPECT_EQ(form->Edit_kibon5->text(), c.part2);
        EXPECT_EQ(form->lb_kibon1->text(), c.address);
        EXPECT_EQ(form->Edit_kibon6->text(), "1층");
        EXPECT_EQ(form->Edit_kibon7->text(), "02-555-0101");
        EXPECT_EQ(form->Edit_kibon10->text(), "");
        EXPECT_EQ(form->Edit_kibon13->text(), "02-555-0102");
        EXPECT_EQ(form->Edit_kibon16->text(), "역 앞");
        EXPECT_EQ(form->EdiT_Jumin->text(), "8801231");
        EXPECT_FALSE(CloseOnPaint);
    }
}

TEST_F(ImportTest, FirstImportWritesTheSettingsInOrderAndClosesTheFormWithAutoCheck)
{
    AutoCheck = "Y";
    server->rows[Count2] = Count(2);
    form->EdiT_Jumin->clear();
    form->Edit_kibon13->setText(" 02-555-0102 ");
    form->Edit_kibon16->setText("역 앞");
    form->SettingsName = "";
    Import();
    EXPECT_TRUE(CloseOnPaint);
    EXPECT_TRUE(messages.empty());

    const std::pair<QString, QString> expected[] = {
        {"개국약사명", "김약사"},    {"개국약사면허번호", "01234"},
        {"약국명", "튼튼약국"},      {"주민번호", ""},
        {"우편번호1", "135"},        {"우편번호2", "080"},
        {"주소1", "부산광역시"},     {"주소2", "강남구"},
        {"주소3", "역삼동 2가"},     {"주소4", "1층"},
        {"약국전화", "02-555-0101"}, {"핸드폰", ""},
        {"팩스번호", "02-555-0102"}, {"위치정보", "역 앞"},
    };
    QFile file(ProgramFolder + "quillane.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringDecoder decoder("windows-949");
    const QStringList lines = QString(decoder(file.readAll())).split("\r\n", Qt::SkipEmptyParts);
    QStringList written;
    for (const auto& [key, value] : expected)
        written << key + "=" + value;
    EXPECT_EQ(lines, QStringList{"[기본정보]"} + written);
}

TEST_F(ImportTest, FirstImportWithoutAutoCheckLeavesTheFormOpen)
{
    CloseOnPaint = true;
    server->rows[Count1] = Count(1);
    Import();
    EXPECT_FALSE(CloseOnPaint);
    EXPECT_EQ(Setting("개국약사명"), "김약사");
}

// The management database has no birth number; a check without one could only be refused.
TEST_F(ImportTest, WithoutABirthNumberTheIdentityCheckAsksForItInstead)
{
    const std::pair<QString, bool> cases[] = {{"", false}, {" ", false}, {"7208242", true}};
    for (const auto& [birth, sent] : cases) {
        SCOPED_TRACE(birth.toStdString());
        Reset();
        server->rows[Count1] = Count(1);
        form->EdiT_Jumin->setText(birth);
        form->show();
        EXPECT_EQ(databases, 1);
        EXPECT_EQ(form->WebBrowser1.ReadyState() != 0, sent);
        if (sent) {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        ASSERT_EQ(Texts(), QStringList{"본인확인을 위해 주민번호 앞 7자리를 입력해 주십시요"});
        EXPECT_EQ(messages[0].caption, "경고");
        EXPECT_EQ(messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(form->focusWidget(), form->EdiT_Jumin);
    }
}

// The first opening imports, writes the settings and closes itself; every later opening of the
// same window stops the import at its first step and stays open.
TEST_F(ImportTest, AWindowThatClosedAfterItsImportOpensAgain)
{
    AutoCheck = "Y";
    server->rows[Count1] = Count(1);
    form->EdiT_Jumin->clear();
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->isVisible(); }, 5000));
    ASSERT_EQ(Setting("개국약사명"), "김약사");

    for (int opening = 0; opening < 2; ++opening) {
        form->show();
        form->repaint();
        QTest::qWait(100);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(databases, 1) << "no second import";
        form->hide();
    }
}

struct StopCase
{
    const char* name;
    QString autoCheck;
    QString name1, license, birth;
    QString edition;
    QString setupIni; // a file of that name in the program folder
    bool imports;
};

TEST_F(ImportTest, StopsBeforeTheDatabase)
{
    const StopCase cases[] = {
        {"AutoCheck with a name", "Y", "홍길동", "", "", "QX2000XE", "", false},
        {"AutoCheck with a licence of blanks", "Y", "", " ", "", "QX2000XE", "", false},
        {"AutoCheck with a birth number", "Y", "", "", "8801231", "QX2000XE", "", false},
        {"AutoCheck with empty fields imports", "Y", "", "", "", "QX2000XE", "", true},
        {"a name without AutoCheck imports", "N", "홍길동", "", "", "QX2000XE", "", true},
        {"no management system", "", "", "", "", "", "", false},
        {"an edition of other letter case", "", "", "", "", "qx2000xe", "", false},
        {"setup.ini switches the import off", "", "", "", "", "QX2000XE", "setup.ini", false},
        {"in any letter case", "", "", "", "", "QX2000XE", "SETUP.INI", false},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        AutoCheck = c.autoCheck;
        edition = c.edition;
        form->Edit_kibon1->setText(c.name1);
        form->Edit_kibon2->setText(c.license);
        form->EdiT_Jumin->setText(c.birth);
        QFile setup(ProgramFolder + c.setupIni);
        if (!c.setupIni.isEmpty()) {
            ASSERT_TRUE(setup.open(QIODevice::WriteOnly));
        }
        CloseOnPaint = true;
        Import();
        EXPECT_EQ(databases, c.imports ? 1 : 0);
        EXPECT_EQ(asked.isEmpty(), !c.imports);
        EXPECT_FALSE(CloseOnPaint) << "no run here asks for a close";
        setup.remove();
    }
}

TEST_F(ImportTest, TheBannerShowsTheFetchingPictureWhileTheDatabaseOpens)
{
    bool seen = false;
    server->onOpen = [this, &seen] {
        const QList<ProgressStrip*> banners = form->findChildren<ProgressStrip*>();
        ASSERT_EQ(banners.size(), 1);
        const ProgressStrip* banner = banners[0];
        EXPECT_TRUE(banner->isVisible());
        EXPECT_TRUE(banner->findChild<QLabel*>("importPicture")->isVisible());
        EXPECT_FALSE(banner->findChild<QLabel*>("updatePicture")->isVisible());
        EXPECT_EQ(banner->geometry().center(),
                  QGuiApplication::primaryScreen()->geometry().center());
        seen = true;
    };
    Import();
    EXPECT_TRUE(seen);
}

struct ServiceCase
{
    const char* name;
    QString host;
    QString computer;
    std::vector<bool> answers; // the service's state at each question; the last one repeats
    bool throws;
    QStringList started;
    std::vector<int> pauses;
    QStringList messages;
    bool closeOnPaint;
    bool imports;
};

TEST_F(ImportTest, TheDatabaseServiceIsStartedOnlyHere)
{
    const QString notStarted =
        "MSSQL\\QX2000 서버가 시작되지 않습니다. 서버 시작 후 다시 실행해 주십시요";
    const QString elsewhere = "MSSQL 서버 컴퓨터에서 실행 후 다시 실행해 주십시요";
    const QString startCall = "PHARM-PC MSSQL$QX2005";
    const ServiceCase cases[] = {
        {"running", "PHARM-PC", "PHARM-PC", {true}, false, {}, {}, {}, false, true},
        {"started here after three seconds",
         " PHARM-PC",
         "PHARM-PC ",
         {false, false, false, false, true},
         false,
         {" PHARM-PC MSSQL$QX2005"},
         {1000, 1000, 1000},
         {},
         false,
         true},
        {"never starts here",
         "PHARM-PC",
         "PHARM-PC",
         {false},
         false,
         {startCall},
         std::vector<int>(10, 1000),
         {notStarted},
         false,
         false},
        {"runs by the last question here",
         "PHARM-PC",
         "PHARM-PC",
         {false, false, false, false, false, false, false, false, false, false, false, true},
         false,
         {startCall},
         std::vector<int>(10, 1000),
         {},
         false,
         true},
        {"another computer, stopped",
         "SERVER",
         "PHARM-PC",
         {false},
         false,
         {},
         {},
         {elsewhere},
         false,
         false},
        {"this computer in other letters counts as another",
         "pharm-pc",
         "PHARM-PC",
         {false},
         false,
         {},
         {},
         {elsewhere},
         false,
         false},
        {"another computer running at the second question",
         "SERVER",
         "PHARM-PC",
         {false, true},
         false,
         {},
         {},
         {},
         false,
         true},
        {"the check fails",
         "PHARM-PC",
         "PHARM-PC",
         {false},
         true,
         {},
         {},
         {"MSSQL 서버가 존재하지 않습니다"},
         true,
         false},
    };
    for (const ServiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        host = c.host;
        computer = c.computer;
        std::size_t question = 0;
        running = [&c, &question] {
            if (c.throws)
                throw std::runtime_error("no service control manager");
            const bool state = c.answers[std::min(question, c.answers.size() - 1)];
            ++question;
            return state;
        };
        Reset();
        CloseOnPaint = true;
        Import();
        EXPECT_EQ(started, c.started);
        EXPECT_EQ(pauses, c.pauses);
        EXPECT_EQ(Texts(), c.messages);
        for (const MessageRequest& message : messages) {
            EXPECT_EQ(message.caption, "경고");
            EXPECT_EQ(message.icon, MessageIcon::Error);
        }
        EXPECT_EQ(CloseOnPaint, c.closeOnPaint);
        EXPECT_EQ(databases, c.imports ? 1 : 0);
        EXPECT_EQ(iniFiles.value(0), "C:\\QX2000V6\\QX2000V6.INI");
    }
}

struct FailureCase
{
    const char* name;
    QString failing;
};

TEST_F(ImportTest, DatabaseErrorsEndTheImportSilently)
{
    const FailureCase cases[] = {
        {"login refused", "open"},
        {"a count fails", Count2},
        {"the column cannot be added", Alter},
        {"the pharmacy table is missing", Pharmacy},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        server->rows[Count3] = Count(1);
        server->failing = {c.failing, Probe};
        form->Edit_kibon1->setText("설정값");
        form->SettingsName = "설정값";
        Import();
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(form->Edit_kibon1->text(), "설정값");
        EXPECT_EQ(server->calls.last(), "close");
    }
}

TEST_F(ImportTest, WithoutALocalDatabaseTheImportGoesOnWithoutTheAddress)
{
    server->rows[Count1] = Count(1);
    login.reset();
    Import();
    EXPECT_EQ(form->Edit_kibon5->text(), "080");
    EXPECT_EQ(form->lb_kibon1->text(), "");
    EXPECT_EQ(form->Edit_kibon6->text(), "1층");
    EXPECT_EQ(Setting("주소1"), "");
    EXPECT_EQ(Setting("주소4"), "1층");
}

// A local database without the postal table fails the lookup: the fields imported before it
// stay, the rest and the settings are not touched.
TEST_F(ImportTest, AFailedPostalLookupEndsTheImportSilently)
{
    {
        QSqlDatabase empty = QSqlDatabase::addDatabase("QSQLITE", "without postal table");
        empty.setDatabaseName(":memory:");
        ASSERT_TRUE(empty.open());
        QSqlQuery query(empty);
        QSqlQuery* const local = LocalQuery;
        LocalQuery = &query;
        server->rows[Count1] = Count(1);
        form->Edit_kibon6->setText("설정 상세주소");
        Import();
        LocalQuery = local;
    }
    QSqlDatabase::removeDatabase("without postal table");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(form->Edit_kibon1->text(), "김약사");
    EXPECT_EQ(form->Edit_kibon5->text(), "080");
    EXPECT_EQ(form->Edit_kibon6->text(), "설정 상세주소");
    EXPECT_FALSE(QFile::exists(ProgramFolder + "quillane.ini"));
    EXPECT_EQ(server->calls.last(), "close");
}

// The program's own database layer: no SQL Server driver answers here, which is silent.
TEST_F(ImportTest, ARefusedOdbcConnectionIsSilent)
{
    ManagementEnvironment environment = CurrentManagementEnvironment();
    environment.newDatabase = SystemManagementEnvironment().newDatabase;
    SetManagementEnvironment(environment);
    edition = "QX2000XE SQL2014";
    form->Edit_kibon1->setText("설정값");
    Import();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(form->Edit_kibon1->text(), "설정값");
}

} // namespace

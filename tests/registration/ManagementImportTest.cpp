#include "registration/ManagementImport.h"

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalDatabaseSession.h"
#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "core/program/ProgressStrip.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "registration/BasicInfoWindow.h"
#include "registration/IdentityCheck.h"
#include "registration/ManagementEnvironment.h"
#include "tests/registration/BasicInfoControls.h"
#include "tests/registration/FakeManagementDatabase.h"

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
const QString PharmacySelect = " SELECT * FROM QX_BASE..APT_PHARM ";
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
class ManagementImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramFolder = folder.path() + "/";
        SetupIniPath = ProgramFolder + "setup.ini";
        CloseOnPaint = false;
        ASSERT_TRUE(QFile::copy(KoreanFixture, ProgramFolder + "Quillane.MDB"));
        login = std::make_unique<LocalDatabaseSession>();
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
                        {PharmacySelect, PharmacyRow("135080")}};
        pharmacy = {};
        form = std::make_unique<BasicInfoWindow>(pharmacy);
        fields = FieldsOf(*form);
        identity = form->findChild<IdentityCheck*>();
        storedName.clear();
        // Typed before: a finished import sends the identity check without asking for it.
        fields.birthNumber->setText("8801231");
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
        ManagementImport(*form, fields, *identity, pharmacy).Run(storedName);
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
    std::unique_ptr<LocalDatabaseSession> login;
    Pharmacy pharmacy;
    std::unique_ptr<BasicInfoWindow> form;
    BasicInfoFields fields{};
    IdentityCheck* identity = nullptr;
    // "개국약사명" as the window's show read it: the import's test of held basic information.
    QString storedName;
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
    QString storedName; // as the show read it
    std::array<int, 3> counts;
    MessageAnswer answer;
    bool columnExists;
    QStringList calls;
    QStringList messages;
    bool confirmed;
    bool imported;
};

TEST_F(ManagementImportTest, ActivityDecidesTheQuestionAndTheStatements)
{
    const QStringList select = {"try open sql: " + Probe, "open sql: " + PharmacySelect};
    const QStringList open = {"open: " + XeText, "open sql: " + Count1};
    const QStringList allCounts = open + QStringList{"open sql: " + Count2, "open sql: " + Count3};
    const ActivityCase cases[] = {
        {.name = "one sale 30 days ago confirms the identity",
         .storedName = "홍길동",
         .counts = {0, 0, 1},
         .answer = MessageAnswer::No,
         .columnExists = true,
         .calls = allCounts + select + QStringList{"close"},
         .messages = {},
         .confirmed = true,
         .imported = true},
        {.name = "a prescription skips the other counts",
         .storedName = "홍길동",
         .counts = {3, 0, 0},
         .answer = MessageAnswer::No,
         .columnExists = true,
         .calls = open + select + QStringList{"close"},
         .messages = {},
         .confirmed = true,
         .imported = true},
        {.name = "a missing column is added once",
         .storedName = "홍길동",
         .counts = {0, 7, 0},
         .answer = MessageAnswer::No,
         .columnExists = false,
         .calls = open + QStringList{"open sql: " + Count2, "try open sql: " + Probe,
                                     "exec sql: " + Alter, "open sql: " + PharmacySelect, "close"},
         .messages = {},
         .confirmed = true,
         .imported = true},
        {.name = "no activity and no settings: nothing asked, nothing imported",
         .storedName = " ",
         .counts = {0, 0, 0},
         .answer = MessageAnswer::Yes,
         .columnExists = true,
         .calls = allCounts + QStringList{"close"},
         .messages = {},
         .confirmed = false,
         .imported = false},
        {.name = "no activity, settings held, answer Yes",
         .storedName = "홍길동",
         .counts = {0, 0, 0},
         .answer = MessageAnswer::Yes,
         .columnExists = true,
         .calls = allCounts + select + QStringList{"close"},
         .messages = {Question},
         .confirmed = false,
         .imported = true},
        {.name = "no activity, settings held, answer No",
         .storedName = "홍길동",
         .counts = {0, 0, 0},
         .answer = MessageAnswer::No,
         .columnExists = true,
         .calls = allCounts + QStringList{"close"},
         .messages = {Question},
         .confirmed = false,
         .imported = false},
    };
    for (const ActivityCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        storedName = c.storedName;
        identity->SetConfirmed(!c.confirmed);
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
        EXPECT_EQ(identity->IsConfirmed(), c.confirmed);
        EXPECT_EQ(fields.pharmacistName->text(), c.imported ? "김약사" : "");
        EXPECT_FALSE(QFile::exists(ProgramFolder + "quillane.ini"));
    }
}

TEST_F(ManagementImportTest, AnswerNoEmptiesTheFieldsAndPutsTheFocusInTheName)
{
    storedName = "홍길동";
    for (QLineEdit* field : form->findChildren<QLineEdit*>())
        field->setText("값");
    fields.addressLine->setText("서울 어딘가");
    fields.checkComputer->setChecked(true);
    answer = MessageAnswer::No;
    Import();
    for (QLineEdit* field : form->findChildren<QLineEdit*>())
        EXPECT_TRUE(field->text().isEmpty());
    EXPECT_TRUE(fields.addressLine->text().isEmpty());
    EXPECT_TRUE(fields.checkComputer->isChecked());
    EXPECT_EQ(form->focusWidget(), fields.pharmacistName);
}

struct RowCase
{
    const char* name;
    QString postno;
    QString addressBefore;
    QString postalCode1;
    QString postalCode2;
    QString address;
};

TEST_F(ManagementImportTest, PharmacyRowFillsTheFieldsAndTheBlankAddressLine)
{
    const RowCase cases[] = {
        {.name = "six digits find the address",
         .postno = "135080",
         .addressBefore = "",
         .postalCode1 = "135",
         .postalCode2 = "080",
         .address = "부산광역시강남구역삼동 2가"},
        {.name = "a blank address line counts as empty",
         .postno = "135080",
         .addressBefore = "  ",
         .postalCode1 = "135",
         .postalCode2 = "080",
         .address = "부산광역시강남구역삼동 2가"},
        {.name = "an address line already there stays",
         .postno = "135080",
         .addressBefore = "기존 주소",
         .postalCode1 = "135",
         .postalCode2 = "080",
         .address = "기존 주소"},
        {.name = "five digits find nothing",
         .postno = "06236",
         .addressBefore = "",
         .postalCode1 = "062",
         .postalCode2 = "36",
         .address = ""},
        {.name = "parts keep their blanks",
         .postno = "1 5 ",
         .addressBefore = "",
         .postalCode1 = "1 5",
         .postalCode2 = " ",
         .address = ""},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        server->rows[Count3] = Count(1);
        server->rows[PharmacySelect] = PharmacyRow(c.postno);
        fields.addressLine->setText(c.addressBefore);
        fields.faxNumber->setText("02-555-0102");
        fields.location->setText("역 앞");
        fields.birthNumber->setText("8801231");
        storedName = "홍길동";
        Import();
        EXPECT_EQ(fields.pharmacistName->text(), "김약사");
        EXPECT_EQ(fields.license->text(), "01234");
        EXPECT_EQ(fields.pharmacyName->text(), "튼튼약국");
        EXPECT_EQ(fields.postalCode1->text(), c.postalCode1);
        EXPECT_EQ(fields.postalCode2->text(), c.postalCode2);
        EXPECT_EQ(fields.addressLine->text(), c.address);
        EXPECT_EQ(fields.detailAddress->text(), "1층");
        EXPECT_EQ(fields.pharmacyPhone->text(), "02-555-0101");
        EXPECT_EQ(fields.mobilePhone->text(), "");
        EXPECT_EQ(fields.faxNumber->text(), "02-555-0102");
        EXPECT_EQ(fields.location->text(), "역 앞");
        EXPECT_EQ(fields.birthNumber->text(), "8801231");
        EXPECT_FALSE(CloseOnPaint);
    }
}

TEST_F(ManagementImportTest, FirstImportWritesTheSettingsInOrderAndClosesTheFormWithAutoCheck)
{
    pharmacy.autoCheck = "Y";
    server->rows[Count2] = Count(2);
    fields.birthNumber->clear();
    fields.faxNumber->setText(" 02-555-0102 ");
    fields.location->setText("역 앞");
    storedName = "";
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

TEST_F(ManagementImportTest, FirstImportWithoutAutoCheckLeavesTheFormOpen)
{
    CloseOnPaint = true;
    server->rows[Count1] = Count(1);
    Import();
    EXPECT_FALSE(CloseOnPaint);
    EXPECT_EQ(Setting("개국약사명"), "김약사");
}

// The management database has no birth number; a check without one could only be refused.
TEST_F(ManagementImportTest, WithoutABirthNumberTheIdentityCheckAsksForItInstead)
{
    const std::pair<QString, bool> cases[] = {{"", false}, {" ", false}, {"7208242", true}};
    for (const auto& [birth, sent] : cases) {
        SCOPED_TRACE(birth.toStdString());
        Reset();
        server->rows[Count1] = Count(1);
        fields.birthNumber->setText(birth);
        form->show();
        EXPECT_EQ(databases, 1);
        EXPECT_EQ(Find<WebBrowser>(*form, "identityCheck")->ReadyState() != 0, sent);
        if (sent) {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        ASSERT_EQ(Texts(), QStringList{"본인확인을 위해 주민번호 앞 7자리를 입력해 주십시요"});
        EXPECT_EQ(messages[0].caption, "경고");
        EXPECT_EQ(messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(form->focusWidget(), fields.birthNumber);
    }
}

// The first opening imports, writes the settings and closes itself; every later opening of the
// same window stops the import at its first step and stays open.
TEST_F(ManagementImportTest, AWindowThatClosedAfterItsImportOpensAgain)
{
    pharmacy.autoCheck = "Y";
    server->rows[Count1] = Count(1);
    fields.birthNumber->clear();
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

// The window hands the import the pharmacist's name it loaded from the settings: with one, the
// user is asked before anything is imported; with a blank one, nothing is asked or imported.
TEST_F(ManagementImportTest, TheShownWindowAsksOnlyWhenTheSettingsHoldAName)
{
    const std::pair<QString, bool> cases[] = {{"홍길동", true}, {" ", false}};
    for (const auto& [name, questionAsked] : cases) {
        SCOPED_TRACE(name.toStdString());
        Reset();
        WriteIniString(ProgramFolder + "quillane.ini", "기본정보", "개국약사명", name);
        answer = MessageAnswer::No;
        form->show();
        EXPECT_EQ(databases, 1);
        EXPECT_EQ(Texts(), questionAsked ? QStringList{Question} : QStringList{});
        EXPECT_TRUE(fields.pharmacistName->text().isEmpty());
        form->hide();
    }
}

struct StopCase
{
    const char* name;
    QString autoCheck = {};
    QString pharmacistName = {}; // in the fields before the import
    QString license = {};
    QString birth = {};
    QString edition = "QX2000XE";
    QString setupIni = {}; // a file of that name in the program folder
    bool imports = false;
};

TEST_F(ManagementImportTest, StopsBeforeTheDatabase)
{
    const StopCase cases[] = {
        {.name = "AutoCheck with a name", .autoCheck = "Y", .pharmacistName = "홍길동"},
        {.name = "AutoCheck with a licence of blanks", .autoCheck = "Y", .license = " "},
        {.name = "AutoCheck with a birth number", .autoCheck = "Y", .birth = "8801231"},
        {.name = "AutoCheck with empty fields imports", .autoCheck = "Y", .imports = true},
        {.name = "a name without AutoCheck imports",
         .autoCheck = "N",
         .pharmacistName = "홍길동",
         .imports = true},
        {.name = "no management system", .edition = ""},
        {.name = "an edition of other letter case", .edition = "qx2000xe"},
        {.name = "setup.ini switches the import off", .setupIni = "setup.ini"},
        {.name = "in any letter case", .setupIni = "SETUP.INI"},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        pharmacy.autoCheck = c.autoCheck;
        edition = c.edition;
        fields.pharmacistName->setText(c.pharmacistName);
        fields.license->setText(c.license);
        fields.birthNumber->setText(c.birth);
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

TEST_F(ManagementImportTest, TheBannerShowsTheFetchingPictureWhileTheDatabaseOpens)
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
    QString host = "PHARM-PC";
    QString computer = "PHARM-PC";
    std::vector<bool> answers; // the service's state at each question; the last one repeats
    bool throws = false;
    QStringList started = {};
    std::vector<int> pauses = {};
    QStringList messages = {};
    bool closeOnPaint = false;
    bool imports = false;
};

TEST_F(ManagementImportTest, TheDatabaseServiceIsStartedOnlyHere)
{
    const QString notStarted =
        "MSSQL\\QX2000 서버가 시작되지 않습니다. 서버 시작 후 다시 실행해 주십시요";
    const QString elsewhere = "MSSQL 서버 컴퓨터에서 실행 후 다시 실행해 주십시요";
    const QString startCall = "PHARM-PC MSSQL$QX2005";
    const ServiceCase cases[] = {
        {.name = "running", .answers = {true}, .imports = true},
        {.name = "started here after three seconds",
         .host = " PHARM-PC",
         .computer = "PHARM-PC ",
         .answers = {false, false, false, false, true},
         .started = {" PHARM-PC MSSQL$QX2005"},
         .pauses = {1000, 1000, 1000},
         .imports = true},
        {.name = "never starts here",
         .answers = {false},
         .started = {startCall},
         .pauses = std::vector<int>(10, 1000),
         .messages = {notStarted}},
        {.name = "runs by the last question here",
         .answers = {false, false, false, false, false, false, false, false, false, false, false,
                     true},
         .started = {startCall},
         .pauses = std::vector<int>(10, 1000),
         .imports = true},
        {.name = "another computer, stopped",
         .host = "SERVER",
         .answers = {false},
         .messages = {elsewhere}},
        {.name = "this computer in other letters counts as another",
         .host = "pharm-pc",
         .answers = {false},
         .messages = {elsewhere}},
        {.name = "another computer running at the second question",
         .host = "SERVER",
         .answers = {false, true},
         .imports = true},
        {.name = "the check fails",
         .answers = {false},
         .throws = true,
         .messages = {"MSSQL 서버가 존재하지 않습니다"},
         .closeOnPaint = true},
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

TEST_F(ManagementImportTest, DatabaseErrorsEndTheImportSilently)
{
    const FailureCase cases[] = {
        {.name = "login refused", .failing = "open"},
        {.name = "a count fails", .failing = Count2},
        {.name = "the column cannot be added", .failing = Alter},
        {.name = "the pharmacy table is missing", .failing = PharmacySelect},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        server->rows[Count3] = Count(1);
        server->failing = {c.failing, Probe};
        fields.pharmacistName->setText("설정값");
        storedName = "설정값";
        Import();
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(fields.pharmacistName->text(), "설정값");
        EXPECT_EQ(server->calls.last(), "close");
    }
}

TEST_F(ManagementImportTest, WithoutALocalDatabaseTheImportGoesOnWithoutTheAddress)
{
    server->rows[Count1] = Count(1);
    login.reset();
    Import();
    EXPECT_EQ(fields.postalCode2->text(), "080");
    EXPECT_EQ(fields.addressLine->text(), "");
    EXPECT_EQ(fields.detailAddress->text(), "1층");
    EXPECT_EQ(Setting("주소1"), "");
    EXPECT_EQ(Setting("주소4"), "1층");
}

// A local database without the postal table fails the lookup: the fields imported before it
// stay, the rest and the settings are not touched.
TEST_F(ManagementImportTest, AFailedPostalLookupEndsTheImportSilently)
{
    {
        QSqlDatabase empty = QSqlDatabase::addDatabase("QSQLITE", "without postal table");
        empty.setDatabaseName(":memory:");
        ASSERT_TRUE(empty.open());
        QSqlQuery query(empty);
        QSqlQuery* const local = LocalQuery;
        LocalQuery = &query;
        server->rows[Count1] = Count(1);
        fields.detailAddress->setText("설정 상세주소");
        Import();
        LocalQuery = local;
    }
    QSqlDatabase::removeDatabase("without postal table");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(fields.pharmacistName->text(), "김약사");
    EXPECT_EQ(fields.postalCode2->text(), "080");
    EXPECT_EQ(fields.detailAddress->text(), "설정 상세주소");
    EXPECT_FALSE(QFile::exists(ProgramFolder + "quillane.ini"));
    EXPECT_EQ(server->calls.last(), "close");
}

// The program's own database layer: no SQL Server driver answers here, which is silent.
TEST_F(ManagementImportTest, ARefusedOdbcConnectionIsSilent)
{
    ManagementEnvironment environment = CurrentManagementEnvironment();
    environment.newDatabase = SystemManagementEnvironment().newDatabase;
    SetManagementEnvironment(environment);
    edition = "QX2000XE SQL2014";
    fields.pharmacistName->setText("설정값");
    Import();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(fields.pharmacistName->text(), "설정값");
}

} // namespace

#include "EditionTable.h"
#include "FileNameCase.h"
#include "LocalDatabase.h"
#include "LocalStatements.h"
#include "ManagementConnectionText.h"
#include "ManagementEnvironment.h"
#include "MessageBox.h"
#include "Pause.h"
#include "ProgressStrip.h"
#include "Quillane_Define.h"
#include "Quillane_Kibon.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "SqlOperations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <exception>
#include <utility>

Q_LOGGING_CATEGORY(lcImport, "quillane.import")

namespace {

constexpr int ServiceStartSleeps = 10;
constexpr int ServiceStartSleepMs = 1000;

const QString CountPrescriptions = QStringLiteral(
    " SELECT COUNT(*) AS CNT FROM QX_PRES..PS_MAIN WHERE DATEDIFF(D, GETDATE(), INDATE) >= -30 ");
const QString CountClaims = QStringLiteral(" SELECT COUNT(*) AS CNT FROM QX_PRES..INS_COMPOS WHERE "
                                           "DATEDIFF(D, GETDATE(), INDATE) >= -30 ");
const QString CountSales =
    QStringLiteral(" SELECT COUNT(*) AS CNT FROM QX_PRES.DBO.SALE_MAIN WHERE "
                   "DATEDIFF(D, GETDATE(), SL_DT_APPL) >= -30 ");
const QString ProbeColumn = QStringLiteral(" SELECT TOP 1 SINSANG_YEAR FROM QX_BASE..APT_PHARM ");
const QString AddColumn =
    QStringLiteral(" ALTER TABLE QX_BASE..APT_PHARM ADD SINSANG_YEAR NVARCHAR(15) NULL");
const QString PharmacyRow = QStringLiteral(" SELECT * FROM QX_BASE..APT_PHARM ");

// The banner "basic information is being fetched from the management system", shown for the
// length of one import and removed however it ends.
class ImportBanner
{
public:
    explicit ImportBanner(QWidget* owner) : banner_(new ProgressStrip(owner))
    {
        banner_->ShowImportPicture();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        banner_->move(screen.x() + (screen.width() - banner_->width()) / 2,
                      screen.y() + (screen.height() - banner_->height()) / 2);
        banner_->show();
        QCoreApplication::processEvents();
    }
    ~ImportBanner() { delete banner_; }
    ImportBanner(const ImportBanner&) = delete;
    ImportBanner& operator=(const ImportBanner&) = delete;

private:
    QPointer<ProgressStrip> banner_;
};

void ShowWarning(const QString& text)
{
    ShowMessage({.text = text,
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
}

bool WaitForLocalService(const ManagementEnvironment& environment, const QString& host,
                         const QString& service)
{
    environment.startSqlService(host, service);
    for (int sleeps = 0;
         sleeps < ServiceStartSleeps && !environment.isServiceRunning(host, service); ++sleeps)
        Pause(ServiceStartSleepMs);
    return environment.isServiceRunning(host, service);
}

// Whether the database service runs, started here when it belongs to this computer; says why
// not when it does not.
bool DatabaseServiceRuns(const ManagementEnvironment& environment, const QString& host,
                         const QString& service, const QString& computer)
{
    try {
        if (environment.isServiceRunning(host, service))
            return true;
        if (Trimmed(computer) == Trimmed(host)) {
            if (WaitForLocalService(environment, host, service))
                return true;
            ShowWarning(QStringLiteral("MSSQL\\QX2000 서버가 시작되지 않습니다. 서버 시작 후 "
                                       "다시 실행해 주십시요"));
            return false;
        }
        if (environment.isServiceRunning(host, service))
            return true;
        ShowWarning(QStringLiteral("MSSQL 서버 컴퓨터에서 실행 후 다시 실행해 주십시요"));
        return false;
    } catch (const std::exception& error) {
        qCWarning(lcImport) << "service check failed:" << error.what();
        ShowWarning(QStringLiteral("MSSQL 서버가 존재하지 않습니다"));
        CloseOnPaint = true;
        return false;
    }
}

// The four address parts of a postal code in the local postal table; empty when no row has
// that code or the program has no local database.
struct PostalArea
{
    QString sido;
    QString gugun;
    QString dong;
    QString ri;
};

bool LookUpPostalArea(const QString& part1, const QString& part2, PostalArea& area)
{
    area = {};
    if (!LocalQuery)
        return true;
    QString error;
    if (!OpenSql(*LocalQuery, ZipcodeLookupStatement(Trimmed(part1), Trimmed(part2)), error)) {
        qCWarning(lcImport) << "postal lookup failed:" << error;
        return false;
    }
    if (LocalQuery->next()) {
        area = {LocalQuery->value(QStringLiteral("SIDO")).toString(),
                LocalQuery->value(QStringLiteral("GuGun")).toString(),
                LocalQuery->value(QStringLiteral("Dong")).toString(),
                LocalQuery->value(QStringLiteral("Ri")).toString()};
    }
    return true;
}

QString Column(const QSqlRecord& row, const QString& name)
{
    return row.value(name).toString();
}

// Runs one activity count; yes when it answered a row whose count is not 0.
bool CountsActivity(ManagementDatabase& database, const QString& statement, bool& active,
                    QString& error)
{
    ManagementRows rows;
    if (!database.OpenSql(statement, rows, error))
        return false;
    active = !rows.isEmpty() && rows.first().value(QStringLiteral("cnt")).toInt() != 0;
    return true;
}

void WriteBasicInfo(const QString& key, const QString& value)
{
    WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::BasicInfo, key,
                   Trimmed(value));
}

// Recent prescriptions, claims or sales confirm the identity; without them the user is asked,
// and only when basic information is held already. Yes when the rows are to be imported.
bool ChooseImport(Tfrm_Kibon& form, ManagementDatabase& database, bool& chosen, QString& error)
{
    chosen = false;
    for (const QString& count : {CountPrescriptions, CountClaims, CountSales}) {
        bool active = false;
        if (!CountsActivity(database, count, active, error))
            return false;
        if (active) {
            form.IdentityConfirmed = true;
            chosen = true;
            return true;
        }
    }
    form.IdentityConfirmed = false;
    if (Trimmed(form.SettingsName).isEmpty())
        return true;
    const MessageAnswer answer =
        ShowMessage({.text = QStringLiteral("QX2000의 약국정보를 초록우체통 기본정보로 "
                                            "사용하시겠습니까?"),
                     .caption = QStringLiteral("선택"),
                     .icon = MessageIcon::Question,
                     .buttons = MessageButtons::YesNo});
    if (answer == MessageAnswer::Yes) {
        chosen = true;
        return true;
    }
    for (QLineEdit* field : {form.EdiT_Jumin, form.Edit_kibon1, form.Edit_kibon2, form.Edit_kibon3,
                             form.Edit_kibon4, form.Edit_kibon5, form.Edit_kibon6, form.Edit_kibon7,
                             form.Edit_kibon10, form.Edit_kibon13, form.Edit_kibon16})
        field->clear();
    form.lb_kibon1->clear();
    form.Edit_kibon1->setFocus();
    return true;
}

// The column SINSANG_YEAR is added to the pharmacy table the first time it is missing.
bool EnsureSinsangColumn(ManagementDatabase& database, QString& error)
{
    return database.TryOpenSql(ProbeColumn) || database.ExecSql(AddColumn, error);
}

// The first pharmacy row into the fields; the address line from the local postal table when it
// is blank. No row leaves the fields as they are.
bool FillFromPharmacyRow(Tfrm_Kibon& form, ManagementDatabase& database, bool& found,
                         QString& error)
{
    ManagementRows rows;
    if (!database.OpenSql(PharmacyRow, rows, error))
        return false;
    found = !rows.isEmpty();
    if (!found)
        return true;
    const QSqlRecord& row = rows.first();
    form.Edit_kibon1->setText(Trimmed(Column(row, QStringLiteral("AUTHNAME"))));
    form.Edit_kibon2->setText(Trimmed(Column(row, QStringLiteral("LICENCE"))));
    form.Edit_kibon3->setText(Trimmed(Column(row, QStringLiteral("NAME"))));
    const QString postno = Column(row, QStringLiteral("postno"));
    form.Edit_kibon4->setText(postno.mid(0, 3));
    form.Edit_kibon5->setText(postno.mid(3, 3));
    PostalArea area;
    if (!LookUpPostalArea(form.Edit_kibon4->text(), form.Edit_kibon5->text(), area)) {
        error = QStringLiteral("postal lookup failed");
        return false;
    }
    if (Trimmed(form.lb_kibon1->text()).isEmpty())
        form.lb_kibon1->setText(Trimmed(area.sido) + Trimmed(area.gugun) + Trimmed(area.dong) +
                                Trimmed(area.ri));
    form.Edit_kibon6->setText(Trimmed(Column(row, QStringLiteral("addr2"))));
    form.Edit_kibon7->setText(Trimmed(Column(row, QStringLiteral("tel"))));
    form.Edit_kibon10->setText(Trimmed(Column(row, QStringLiteral("phone_num"))));
    return true;
}

// The first import stores what the form now holds, in this order.
bool WriteFirstImport(const Tfrm_Kibon& form, QString& error)
{
    PostalArea area;
    if (!LookUpPostalArea(form.Edit_kibon4->text(), form.Edit_kibon5->text(), area)) {
        error = QStringLiteral("postal lookup failed");
        return false;
    }
    using namespace SettingsKeys;
    const std::pair<QString, QString> values[] = {
        {PharmacistName, form.Edit_kibon1->text()},
        {PharmacistLicense, form.Edit_kibon2->text()},
        {PharmacyName, form.Edit_kibon3->text()},
        {BirthNumber, form.EdiT_Jumin->text()},
        {PostalCode1, form.Edit_kibon4->text()},
        {PostalCode2, form.Edit_kibon5->text()},
        {Address1, area.sido},
        {Address2, area.gugun},
        {Address3, area.dong + area.ri},
        {Address4, form.Edit_kibon6->text()},
        {PharmacyPhone, form.Edit_kibon7->text()},
        {MobilePhone, form.Edit_kibon10->text()},
        {FaxNumber, form.Edit_kibon13->text()},
        {Location, form.Edit_kibon16->text()},
    };
    for (const auto& [key, value] : values)
        WriteBasicInfo(key, value);
    return true;
}

// The management database holds no birth number: without one in the form the identity check
// could only fail, so it is asked for instead.
void CheckIdentityOrAskForBirthNumber(Tfrm_Kibon& form)
{
    if (Trimmed(form.EdiT_Jumin->text()).isEmpty()) {
        ShowWarning(QStringLiteral("본인확인을 위해 주민번호 앞 7자리를 입력해 주십시요"));
        form.EdiT_Jumin->setFocus();
        return;
    }
    form.SendIdentityCheck();
}

// From the activity counts to the identity check; no at the first database error, with the
// fields as they are at that moment.
bool ImportManagementRows(Tfrm_Kibon& form, ManagementDatabase& database, QString& error)
{
    bool chosen = false;
    if (!ChooseImport(form, database, chosen, error))
        return false;
    if (!chosen)
        return true;
    if (!EnsureSinsangColumn(database, error))
        return false;
    bool found = false;
    if (!FillFromPharmacyRow(form, database, found, error))
        return false;
    if (!found)
        return true;
    if (Trimmed(form.SettingsName).isEmpty()) {
        if (!WriteFirstImport(form, error))
            return false;
        CloseOnPaint = false;
    }
    if (AutoCheck == QStringLiteral("Y"))
        CloseOnPaint = true;
    else
        CheckIdentityOrAskForBirthNumber(form);
    return true;
}

} // namespace

// Every run starts with the close-on-paint flag cleared, so only a close that this run asks for
// stands: a reused window whose earlier import closed it opens again.
void Tfrm_Kibon::ImportFromManagementDb()
{
    CloseOnPaint = false;
    if (AutoCheck == QStringLiteral("Y") &&
        (!Edit_kibon1->text().isEmpty() || !Edit_kibon2->text().isEmpty() ||
         !EdiT_Jumin->text().isEmpty()))
        return;
    const ManagementEnvironment& environment = CurrentManagementEnvironment();
    const EditionRow* edition = EditionByLabel(environment.edition());
    if (!edition)
        return;
    if (FileExistsIgnoringCase(SetupIniPath))
        return;
    const ImportBanner banner(this);

    const QString host = environment.databaseHost(edition->iniFile);
    const QString computer = environment.computerName();
    if (!DatabaseServiceRuns(environment, host, edition->serviceName, computer))
        return;

    const std::unique_ptr<ManagementDatabase> database = environment.newDatabase();
    QString error;
    if (!database->Open(ManagementConnectionText(*edition, host), error) ||
        !ImportManagementRows(*this, *database, error))
        qCWarning(lcImport) << "import ended:" << error;
    database->Close();
}

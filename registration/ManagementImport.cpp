#include "registration/ManagementImport.h"

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalStatements.h"
#include "core/localdb/SqlOperations.h"
#include "core/management/EditionTable.h"
#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "core/program/ProgressStrip.h"
#include "core/program/Trimmed.h"
#include "core/settings/FileNameCase.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "registration/BasicInfoWindow.h"
#include "registration/IdentityCheck.h"
#include "registration/ManagementConnectionText.h"
#include "registration/ManagementEnvironment.h"
#include "registration/PostalRow.h"
#include "registration/WarningMessage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>
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

// The import's lookup of a postal code in the local postal table: empty parts when no row has
// that code or the program has no local database; no when the statement fails.
bool LookUpPostalArea(const QString& part1, const QString& part2, PostalRow& area)
{
    area = {};
    if (!LocalQuery)
        return true;
    QString error;
    if (!OpenSql(*LocalQuery, ZipcodeLookupStatement(Trimmed(part1), Trimmed(part2)), error)) {
        qCWarning(lcImport) << "postal lookup failed:" << error;
        return false;
    }
    if (LocalQuery->next())
        area = PostalRowOf(LocalQuery->record());
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

// The column SINSANG_YEAR is added to the pharmacy table the first time it is missing.
bool EnsureSinsangColumn(ManagementDatabase& database, QString& error)
{
    return database.TryOpenSql(ProbeColumn) || database.ExecSql(AddColumn, error);
}

} // namespace

ManagementImport::ManagementImport(QWidget& window, const BasicInfoFields& fields,
                                   IdentityCheck& identity, const Pharmacy& pharmacy)
    : window_(window), fields_(fields), identity_(identity), pharmacy_(pharmacy)
{
}

// Every run starts with the close-on-paint flag cleared, so only a close that this run asks for
// stands: a reused window whose earlier import closed it opens again.
void ManagementImport::Run(const QString& storedPharmacistName)
{
    storedPharmacistName_ = storedPharmacistName;
    CloseOnPaint = false;
    if (pharmacy_.autoCheck == QStringLiteral("Y") &&
        (!fields_.pharmacistName->text().isEmpty() || !fields_.license->text().isEmpty() ||
         !fields_.birthNumber->text().isEmpty()))
        return;
    const ManagementEnvironment& environment = CurrentManagementEnvironment();
    const EditionRow* edition = EditionByLabel(environment.edition());
    if (!edition)
        return;
    if (FileExistsIgnoringCase(SetupIniPath))
        return;
    const ImportBanner banner(&window_);

    const QString host = environment.databaseHost(edition->iniFile);
    const QString computer = environment.computerName();
    if (!DatabaseServiceRuns(environment, host, edition->serviceName, computer))
        return;

    const std::unique_ptr<ManagementDatabase> database = environment.newDatabase();
    if (!database->Open(ManagementConnectionText(*edition, host), error_) || !ImportRows(*database))
        qCWarning(lcImport) << "import ended:" << error_;
    database->Close();
}

// From the activity counts to the identity check; no at the first database error.
bool ManagementImport::ImportRows(ManagementDatabase& database)
{
    bool chosen = false;
    if (!ChooseImport(database, chosen))
        return false;
    if (!chosen)
        return true;
    if (!EnsureSinsangColumn(database, error_))
        return false;
    bool found = false;
    if (!FillFromPharmacyRow(database, found))
        return false;
    if (!found)
        return true;
    if (Trimmed(storedPharmacistName_).isEmpty()) {
        if (!WriteFirstImport())
            return false;
        CloseOnPaint = false;
    }
    if (pharmacy_.autoCheck == QStringLiteral("Y"))
        CloseOnPaint = true;
    else
        CheckIdentityOrAskForBirthNumber();
    return true;
}

// Recent activity confirms the identity and imports; without it the user chooses, when basic
// information is held already. Answer No empties the fields; the settings stay.
bool ManagementImport::ChooseImport(ManagementDatabase& database, bool& chosen)
{
    chosen = false;
    for (const QString& count : {CountPrescriptions, CountClaims, CountSales}) {
        bool active = false;
        if (!CountsActivity(database, count, active, error_))
            return false;
        if (active) {
            identity_.SetConfirmed(true);
            chosen = true;
            return true;
        }
    }
    identity_.SetConfirmed(false);
    if (Trimmed(storedPharmacistName_).isEmpty())
        return true;
    const MessageAnswer answer =
        ShowMessage({.text = QStringLiteral("QX2000의 약국정보를 초록우체통 기본정보로 "
                                            "사용하시겠습니까?"),
                     .caption = QStringLiteral("선택"),
                     .icon = MessageIcon::Question,
                     .buttons = MessageButtons::YesNo});
    if (answer == MessageAnswer::Yes)
        chosen = true;
    else
        EmptyTheFields();
    return true;
}

void ManagementImport::EmptyTheFields()
{
    const BasicInfoFields& f = fields_;
    for (QLineEdit* field :
         {f.birthNumber, f.pharmacistName, f.license, f.pharmacyName, f.postalCode1, f.postalCode2,
          f.detailAddress, f.pharmacyPhone, f.mobilePhone, f.faxNumber, f.location})
        field->clear();
    f.addressLine->clear();
    f.pharmacistName->setFocus();
}

// The first pharmacy row into the fields; the address line from the local postal table when it
// is blank. No row leaves the fields as they are.
bool ManagementImport::FillFromPharmacyRow(ManagementDatabase& database, bool& found)
{
    ManagementRows rows;
    if (!database.OpenSql(PharmacyRow, rows, error_))
        return false;
    found = !rows.isEmpty();
    if (!found)
        return true;
    const QSqlRecord& row = rows.first();
    fields_.pharmacistName->setText(Trimmed(Column(row, QStringLiteral("AUTHNAME"))));
    fields_.license->setText(Trimmed(Column(row, QStringLiteral("LICENCE"))));
    fields_.pharmacyName->setText(Trimmed(Column(row, QStringLiteral("NAME"))));
    const QString postno = Column(row, QStringLiteral("postno"));
    fields_.postalCode1->setText(postno.mid(0, 3));
    fields_.postalCode2->setText(postno.mid(3, 3));
    PostalRow area;
    if (!LookUpPostalArea(fields_.postalCode1->text(), fields_.postalCode2->text(), area)) {
        error_ = QStringLiteral("postal lookup failed");
        return false;
    }
    if (Trimmed(fields_.addressLine->text()).isEmpty())
        fields_.addressLine->setText(Trimmed(area.province) + Trimmed(area.district) +
                                     Trimmed(area.dong) + Trimmed(area.ri));
    fields_.detailAddress->setText(Trimmed(Column(row, QStringLiteral("addr2"))));
    fields_.pharmacyPhone->setText(Trimmed(Column(row, QStringLiteral("tel"))));
    fields_.mobilePhone->setText(Trimmed(Column(row, QStringLiteral("phone_num"))));
    return true;
}

// The first import stores what the fields now hold, in this order.
bool ManagementImport::WriteFirstImport()
{
    PostalRow area;
    if (!LookUpPostalArea(fields_.postalCode1->text(), fields_.postalCode2->text(), area)) {
        error_ = QStringLiteral("postal lookup failed");
        return false;
    }
    using namespace SettingsKeys;
    const std::pair<QString, QString> values[] = {
        {PharmacistName, fields_.pharmacistName->text()},
        {PharmacistLicense, fields_.license->text()},
        {PharmacyName, fields_.pharmacyName->text()},
        {BirthNumber, fields_.birthNumber->text()},
        {PostalCode1, fields_.postalCode1->text()},
        {PostalCode2, fields_.postalCode2->text()},
        {Address1, area.province},
        {Address2, area.district},
        {Address3, area.dong + area.ri},
        {Address4, fields_.detailAddress->text()},
        {PharmacyPhone, fields_.pharmacyPhone->text()},
        {MobilePhone, fields_.mobilePhone->text()},
        {FaxNumber, fields_.faxNumber->text()},
        {Location, fields_.location->text()},
    };
    for (const auto& [key, value] : values)
        WriteBasicInfo(key, value);
    return true;
}

// The management database holds no birth number: without one in the form the identity check
// could only fail, so it is asked for instead.
void ManagementImport::CheckIdentityOrAskForBirthNumber()
{
    if (Trimmed(fields_.birthNumber->text()).isEmpty()) {
        ShowWarning(QStringLiteral("본인확인을 위해 주민번호 앞 7자리를 입력해 주십시요"));
        fields_.birthNumber->setFocus();
        return;
    }
    identity_.Send();
}

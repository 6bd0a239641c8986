#pragma once

#include "core/localdb/LocalDatabase.h"
#include "tests/registration/BasicInfoWindowFixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <memory>
#include <string>

// The seventeen fields of a confirmed identity (positions 0 to 16), with the check computer
// the service knows (position 12) as given.
inline std::string Confirmed(const std::string& checkComputer = "",
                             const std::string& mobile = "010-2")
{
    return "1]서연온누리약국]23456]박서연]서울특별시]중구]소공동]070]02-752-4321]" + mobile +
           "]02-752-4322]시청역 6번 출구 옆]" + checkComputer +
           "]7208242]100]서울특별시 중구 소공동]소공로 55";
}

// A local postal table of one row, on LocalQuery.
class LocalPostalTable
{
public:
    LocalPostalTable()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), LocalConnectionName);
        db.setDatabaseName(QStringLiteral(":memory:"));
        db.open();
        QSqlQuery setup(db);
        setup.exec(QStringLiteral("CREATE TABLE qx_ZipCode (Seq INTEGER, Zipcode TEXT, Sido TEXT, "
                                  "Gugun TEXT, Dong TEXT, Ri TEXT, Bunji TEXT)"));
        setup.exec(QStringLiteral("INSERT INTO qx_ZipCode VALUES (1, '100-070', '서울특별시', "
                                  "'중구', '소공동', '리', '')"));
        query_ = std::make_unique<QSqlQuery>(db);
        LocalQuery = query_.get();
    }
    ~LocalPostalTable()
    {
        LocalQuery = nullptr;
        query_.reset();
        QSqlDatabase::removeDatabase(LocalConnectionName);
    }

private:
    std::unique_ptr<QSqlQuery> query_;
};

// A shown basic-information window whose answers arrive as a test writes them, with a local
// postal table.
class ServiceAnswerFixture : public BasicInfoWindowFixture
{
protected:
    void SetUp() override
    {
        BasicInfoWindowFixture::SetUp();
        // The weekly window that follows a registration fetches its pages here: they answer as
        // a service without them, so that window adds no message of its own.
        service.SetAnswer("normal3.asp", "", 404);
        service.SetAnswer("SunDay.asp", "", 404);
        window->show();
    }

    void Identity(const std::string& text)
    {
        identity->AnswerArrived(BaseUrl + QStringLiteral("Permission.asp"),
                                QString::fromStdString(text));
    }

    void FillForm()
    {
        fields.pharmacistName->setText(QStringLiteral("박서연"));
        fields.license->setText(QStringLiteral("23456"));
        fields.birthNumber->setText(QStringLiteral("7208242"));
        fields.pharmacyName->setText(QStringLiteral("서연온누리약국"));
        fields.postalCode1->setText(QStringLiteral("100"));
        fields.postalCode2->setText(QStringLiteral("070"));
        fields.addressLine->setText(QStringLiteral("서울특별시 중구 소공동"));
        fields.detailAddress->setText(QStringLiteral("소공로 55"));
        fields.pharmacyPhone->setText(QStringLiteral("02-1"));
        fields.mobilePhone->setText(QStringLiteral("010-2"));
        fields.faxNumber->setText(QStringLiteral("02-3"));
        fields.location->setText(QStringLiteral("역 옆"));
    }

    QString Stored(const QString& key) const
    {
        return ReadIniString(SettingsPath(), SettingsKeys::BasicInfo, key, QStringLiteral("-"));
    }

    LocalPostalTable postal;
};

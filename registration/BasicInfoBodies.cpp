#include "registration/BasicInfoBodies.h"

#include "core/program/Trimmed.h"
#include "core/requests/FormEncoding.h"

namespace {

QString Value(const QString& text)
{
    return FormValue(Trimmed(text));
}

} // namespace

QString IdentityCheckBody(const QString& license, const QString& name, const QString& birthNumber)
{
    return QStringLiteral("PALICENSE =") + Value(license) + QStringLiteral("&PANAME   =") +
           Value(name) + QStringLiteral("&JUMINNUM =") + Value(birthNumber);
}

QString RegistrationBody(const RegistrationValues& v)
{
    return QStringLiteral("P_PANAME       =") + Value(v.name) + QStringLiteral("&P_PALICENSE  =") +
           Value(v.license) + QStringLiteral("&P_CNAME      =") + Value(v.pharmacy) +
           QStringLiteral("&P_ZIP1       =") + Value(v.zip1) + QStringLiteral("&P_ZIP2       =") +
           Value(v.zip2) + QStringLiteral("&P_ADDRESS1   =") + Value(v.province) +
           QStringLiteral("&P_ADDRESS2   =") + Value(v.district) +
           QStringLiteral("&P_ADDRESS3   =") + Value(v.town) + QStringLiteral("&P_ADDRESS4   =") +
           Value(v.detailAddress) + QStringLiteral("&P_PHONE      =") + Value(v.phone) +
           QStringLiteral("&P_MOBILE     =") + Value(v.mobile) + QStringLiteral("&P_FAX        =") +
           Value(v.fax) + QStringLiteral("&P_LOCATION   =") + Value(v.location) +
           QStringLiteral("&P_COMNAME    =") + Value(v.computerName) +
           QStringLiteral("&P_JUMINNUM   =") + Value(v.birthNumber) +
           QStringLiteral("&P_CHK        =1");
}

#pragma once

#include <QString>

// The service pages of the basic-information window and their request bodies, built from the
// field values as they stand (each value is trimmed here).

// The identity check: licence number, name and birth number.
inline const QString IdentityCheckPage = QStringLiteral("Permission.asp");
QString IdentityCheckBody(const QString& license, const QString& name, const QString& birthNumber);

// The values of a registration, in the order they are sent.
struct RegistrationValues
{
    QString name;
    QString license;
    QString pharmacy;
    QString zip1;
    QString zip2;
    QString province; // of the postal row
    QString district; // of the postal row
    QString town;     // the postal row's dong directly followed by its ri
    QString detailAddress;
    QString phone;
    QString mobile;
    QString fax;
    QString location;
    QString computerName; // empty: this computer is released from checking
    QString birthNumber;
};

// The registration: the sixteen fields, the last always "&P_CHK        =1".
inline const QString RegistrationPage = QStringLiteral("INPUT3.asp");
QString RegistrationBody(const RegistrationValues& values);

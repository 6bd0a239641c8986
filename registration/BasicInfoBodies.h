#pragma once

#include <QString>

// The request bodies of the basic-information window, built from the field values as they
// stand (each value is trimmed here).

// "Permission.asp": licence number, name and birth number.
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

// "INPUT3.asp": the sixteen fields, the last always "&P_CHK        =1".
QString RegistrationBody(const RegistrationValues& values);

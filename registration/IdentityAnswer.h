#pragma once

#include <QString>
#include <QStringList>

// The identity check's answer: fields cut at "]", numbered from 0, empty fields included.
namespace IdentityAnswer {

// The status at position 0.
enum class Status
{
    Confirmed, // "1"
    Refused,   // "3" or "9"
    Other,     // ignored
};

// The positions that the basic-information window reads; 2 to 7 it does not.
constexpr qsizetype StatusField = 0;
constexpr qsizetype PharmacyName = 1;
constexpr qsizetype PharmacyPhone = 8;
constexpr qsizetype MobilePhone = 9;
constexpr qsizetype FaxNumber = 10;
constexpr qsizetype Location = 11;
constexpr qsizetype CheckComputer = 12; // the pharmacy's check computer known to the service
constexpr qsizetype BirthNumber = 13;
constexpr qsizetype PostalCode = 14;
constexpr qsizetype AddressLine = 15;
constexpr qsizetype DetailAddress = 16;

QStringList Fields(const QString& text);

Status StatusOf(const QStringList& fields);

} // namespace IdentityAnswer

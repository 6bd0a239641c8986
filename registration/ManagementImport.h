#pragma once

#include "registration/BasicInfoFields.h"

#include <QString>

class IdentityCheck;
class ManagementDatabase;
struct Pharmacy;
class QWidget;

// The import from the pharmacy-management system's database, run each time the
// basic-information window is shown: the pharmacist's name and licence number, the pharmacy's
// name, postal code, detail address, telephone and mobile numbers into the fields, the address
// line from the local postal table; the settings on a first import; then the identity check.
// Recent prescriptions, claims or sales confirm the identity; without them the user is asked,
// and only when basic information is held already. A banner shows while it runs. Database
// errors end it silently, the fields as they are at that moment.
class ManagementImport
{
public:
    // window: the basic-information window, which owns the banner. pharmacy: its first-sign-in
    // mark decides whether filled fields are kept.
    ManagementImport(QWidget& window, const BasicInfoFields& fields, IdentityCheck& identity,
                     const Pharmacy& pharmacy);

    // storedPharmacistName: "개국약사명" as the show event read it, untrimmed; blank when the
    // program holds no basic information yet.
    void Run(const QString& storedPharmacistName);

private:
    bool ImportRows(ManagementDatabase& database);
    bool ChooseImport(ManagementDatabase& database, bool& chosen);
    void EmptyTheFields();
    bool FillFromPharmacyRow(ManagementDatabase& database, bool& found);
    bool WriteFirstImport();
    void CheckIdentityOrAskForBirthNumber();

    QWidget& window_;
    BasicInfoFields fields_;
    IdentityCheck& identity_;
    const Pharmacy& pharmacy_;
    QString storedPharmacistName_;
    QString error_;
};

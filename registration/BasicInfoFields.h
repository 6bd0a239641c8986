#pragma once

class QCheckBox;
class QLabel;
class QLineEdit;

// The basic-information window's fields, in tab order. The window owns them; its identity check,
// registration and import read and fill them through this. Each field's object name is its
// member's name.
struct BasicInfoFields
{
    QLineEdit* pharmacistName; // the owning pharmacist
    QLineEdit* license;        // the pharmacist's licence number
    QLineEdit* birthNumber;    // the first seven digits of the resident registration number
    QLineEdit* pharmacyName;
    QLineEdit* postalCode1; // three digits before the "-"
    QLineEdit* postalCode2; // the digits after it; hidden
    QLabel* addressLine;    // province, district, town and village; filled by the program only
    QLineEdit* detailAddress;
    QLineEdit* pharmacyPhone;
    QLineEdit* mobilePhone;
    QLineEdit* faxNumber;
    QLineEdit* location;      // a short text that tells the way
    QCheckBox* checkComputer; // this computer is the pharmacy's check computer
};

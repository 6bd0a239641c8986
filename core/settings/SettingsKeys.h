#pragma once

#include <QString>

// The settings file beside the program and the names of all its sections and keys.
namespace SettingsKeys {

// The settings file's name in the program folder. Names are looked up without regard to case,
// so "QUILLANE.INI" names this file too.
inline const QString FileName = QStringLiteral("quillane.ini");

// The pharmacy's basic information as last registered or imported.
inline const QString BasicInfo = QStringLiteral("기본정보");
inline const QString PharmacistName = QStringLiteral("개국약사명");
inline const QString PharmacistLicense = QStringLiteral("개국약사면허번호");
inline const QString PharmacyName = QStringLiteral("약국명");
inline const QString PostalCode1 = QStringLiteral("우편번호1");
inline const QString PostalCode2 = QStringLiteral("우편번호2");
inline const QString Address1 = QStringLiteral("주소1");
inline const QString Address2 = QStringLiteral("주소2");
inline const QString Address3 = QStringLiteral("주소3");
inline const QString Address4 = QStringLiteral("주소4");
inline const QString PharmacyPhone = QStringLiteral("약국전화");
inline const QString MobilePhone = QStringLiteral("핸드폰");
inline const QString FaxNumber = QStringLiteral("팩스번호");
inline const QString Location = QStringLiteral("위치정보");
inline const QString BirthNumber = QStringLiteral("주민번호");
inline const QString CheckComputer = QStringLiteral("푸른등대"); // empty: not the check computer
inline const QString FirstSignIn = QStringLiteral("처음로그인");
inline const QString AutoCheckKey = QStringLiteral("자동체크");

// The holiday (H_DAY, "YYYY-MM-DD") whose reminder was answered, festival or legal holiday.
inline const QString Festival = QStringLiteral("명절");
inline const QString ReminderAnswered = QStringLiteral("알림체크");

// Notes of a working legal holiday: each key is the holiday's name followed by a suffix.
inline const QString LegalHoliday = QStringLiteral("법정공휴일");
inline const QString HolidayCheckSuffix = QStringLiteral("체크"); // "1"
inline const QString HolidayStartSuffix = QStringLiteral("시작"); // start time as listed
inline const QString HolidayEndSuffix = QStringLiteral("종료");   // end time as listed
inline const QString HolidayDateSuffix = QStringLiteral("날자");  // the holiday's date text

// The installed version; an empty value counts as "0".
inline const QString VersionInfo = QStringLiteral("버전정보");
inline const QString Version = QStringLiteral("버전");
inline const QString FilePath = QStringLiteral("파일경로"); // the program folder, first run only

} // namespace SettingsKeys

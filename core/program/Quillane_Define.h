#pragma once

#include "core/program/ProgramConfig.h"

#include <QString>

// Program-wide values shared by every window. The start-up sequence sets most of them.

inline ProgramConfig Config;        // the configuration read at start
inline QString BaseUrl;             // "http://" + service host + "/Quillane/"
inline QString ProgramFolder;       // the program's folder, with a trailing separator
inline QString SetupIniPath;        // ProgramFolder + "setup.ini"
inline QString PaName;              // the pharmacist's name
inline QString PaLicense;           // the pharmacist's licence number
inline QString ComName;             // the check computer's name
inline QString AutoCheck;           // settings value "자동체크"
inline QString SignInAnswer;        // text of the last sign-in answer
inline bool CloseAllowed = false;   // whether the main window may close
inline QString UpcomingHolidayName; // holiday found by the upcoming-holiday check
inline QString UpcomingHolidayDay;

// The application's title, the caption of the plain message boxes. Windows carry their own
// captions alone: the title is never added to them.
inline const QString ApplicationTitle = QStringLiteral("초록우체통");

// The version caption of the main window.
inline const QString VersionCaption = QStringLiteral("Ver.52");

// Reads the configuration and fixes the values that derive from it alone.
void InitProgramValues(const QString& executableFolder);

// Characters with codes 0 to 32 removed at both ends.
QString Trimmed(const QString& text);

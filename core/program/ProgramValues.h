#pragma once

#include "core/program/ProgramConfig.h"

#include <QString>

// Program-wide values fixed once at start and read by every window.

inline ProgramConfig Config;  // the configuration read at start
inline QString BaseUrl;       // "http://" + service host + "/Quillane/"
inline QString ProgramFolder; // the program's folder, with a trailing separator
inline QString SetupIniPath;  // ProgramFolder + "setup.ini"

// The application's title, the caption of the plain message boxes. Windows carry their own
// captions alone: the title is never added to them.
inline const QString ApplicationTitle = QStringLiteral("초록우체통");

// The version caption of the main window.
inline const QString VersionCaption = QStringLiteral("Ver.52");

// Reads the configuration and fixes the values that derive from it alone.
void InitProgramValues(const QString& executableFolder);

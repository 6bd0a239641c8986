#pragma once

#include <QString>

// Where the program finds the association's servers, its temporary folder and its own folder.
// The build fixes the defaults; the environment variables QUILLANE_SERVICE_HOST,
// QUILLANE_CONTEST_HOST, QUILLANE_TEMP_DIR and QUILLANE_PROGRAM_FOLDER override them.
struct ProgramConfig
{
    QString serviceHost;   // host[:port] of the association's web server
    QString contestHost;   // host[:port] of the connectivity-test server
    QString tempFolder;    // with a trailing separator
    QString programFolder; // with a trailing separator
};

// Reads the configuration once; executableFolder is the default program folder.
ProgramConfig ReadProgramConfig(const QString& executableFolder);

// Appends the native separator unless the folder already ends with one.
QString WithTrailingSeparator(const QString& folder);

#pragma once

#include <QString>

// Where the program finds the association's servers, its temporary folder, its own folder and
// the update's folder. The build fixes the defaults; the environment variables
// QUILLANE_SERVICE_HOST, QUILLANE_CONTEST_HOST, QUILLANE_TEMP_DIR, QUILLANE_PROGRAM_FOLDER and
// QUILLANE_UPDATE_DIR override them.
struct ProgramConfig
{
    QString serviceHost;   // host[:port] of the association's web server
    QString contestHost;   // host[:port] of the connectivity-test server
    QString tempFolder;    // with a trailing separator
    QString programFolder; // with a trailing separator
    // The update's own folder, which only the user may write: one per program folder below the
    // user's data folder (%LOCALAPPDATA%\Quillane\Update\<key>, ~/.local/share/Quillane/Update/
    // <key>); with a trailing separator.
    QString updateFolder;
};

// Reads the configuration once; executableFolder is the default program folder.
ProgramConfig ReadProgramConfig(const QString& executableFolder);

// Appends the native separator unless the folder already ends with one.
QString WithTrailingSeparator(const QString& folder);

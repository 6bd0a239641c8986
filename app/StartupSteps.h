#pragma once

#include <QString>

// The steps of the start-up sequence that prepare the computer for the program.

// Leaves the desktop link that starts the program with ShowMainScreenArgument, so that a second
// start brings the running copy's main screen up; an existing link is left as it is, whatever it
// points to. Links of the program's former name are removed.
void CreateDesktopShortcut();

// At the first run, leaves the version "0" and the program folder in the settings file. Answers
// the installed version.
QString PrepareSettingsFile();

// Starts the program with the user's session, from the folder it runs in now.
void RegisterAutostart();

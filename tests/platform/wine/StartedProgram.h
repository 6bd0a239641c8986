#pragma once

#include <string>

// The probe's own file name; a copy under any other name plays a started program.
constexpr const char* ProbeName = "Win32BackendProbe.exe";

// The name of the copy the checks start, as the update starts the updater.
constexpr const char* StartedProgramName = "Quillane_UP.EXE";

// The started program: writes "started.txt" beside itself with three lines, its arguments as
// the system splits its command line (the program first) joined by "|", its working folder, and its
// start-up flags and show-window value. 0 when written.
int RecordStart();

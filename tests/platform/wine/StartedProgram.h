#pragma once

#include <string>

// The file name under which a copy of the probe plays a started program (the updater).
constexpr const char* StartedProgramName = "Quillane_UP.EXE";

// The started program: writes "started.txt" beside itself with three lines, its arguments as
// the system splits its command line (the program first) joined by "|", its working folder, and its
// start-up flags and show-window value. 0 when written.
int RecordStart();

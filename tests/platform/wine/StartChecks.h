#pragma once

#include <string>

// Checks of starting other programs, in the checks' folder (a Windows path). Each returns what
// it found wrong, empty when it passed.

// A copy of the probe under a folder with a blank and Hangul in its name runs as the command
// line names it, with the starter's working folder and the show-window value asked for; a
// program named as the path up to its blank does not run in its stead.
std::string ChildStartsAsCommanded(const std::string& folder);

// A command line that names no program answers the system's error, and nothing starts.
std::string MissingProgramsAreNotStarted(const std::string& folder);

// A program held without sharing (as a virus scanner holds a new file) starts once let go.
std::string HeldProgramStartsOnceReleased(const std::string& folder);

// A batch file opens with the system's handler, which really runs it; a missing document
// answers no.
std::string DocumentsOpenWithTheirHandler(const std::string& folder);

#pragma once

#include <string>

// The in-process checks of the Win32 backend: code page, computer name, idle seconds, the Run
// value, the shell link, the service control manager, the file operations of the start-up and
// the update, the privacy of a folder and of the folders on its way, the removal of the update's
// read-only files and of what an earlier update left in the temporary folder, and programs and
// documents started.
// The folder (a Windows path) exists and is the checks' own. Returns the number that failed.
int RunBackendChecks(const std::string& folder);

#pragma once

#include <string>
#include <vector>

namespace platform {

// Desktop entry files (launchers and autostart entries) as the freedesktop.org formats read them.

// A value as a desktop entry stores it: backslash, line breaks and tabs escaped.
std::string DesktopEntryValue(const std::string& text);

// The Exec value that runs the program with the arguments: each one quoted, with the quoting's
// and the field codes' special characters escaped, then stored as a value.
std::string DesktopEntryExec(const std::vector<std::string>& command);

// Writes the file under a temporary name beside it and renames it over the file, so a reader
// never sees half an entry. Yes when the file is in place.
bool WriteDesktopEntry(const std::string& path, const std::string& content, bool executable);

} // namespace platform

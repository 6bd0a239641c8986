#pragma once

#include <string>

// The profile API's side of the settings-file cases in ProfileCases.h.

// Looks up every entry of the named table ("exchanged", "guarded" or "handwritten") in the file
// with GetPrivateProfileStringW and checks the values read. Returns the number of failed checks.
int ReadProfileTable(const std::string& file, const std::string& table);

// Writes the exchanged entries, in order, with WritePrivateProfileStringW. Returns the number
// of failed writes.
int WriteExchangedEntries(const std::string& file);

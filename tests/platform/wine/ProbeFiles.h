#pragma once

#include <string>

// Small file helpers of the probe's checks, on UTF-8 Windows paths.

// The probe's own executable.
std::string ModulePath();

bool IsFolder(const std::string& path);

// Writes the bytes as the whole file; no when it could not.
bool PutFile(const std::string& path, const std::string& bytes);

// The file's first 4 KiB, or "<unreadable>".
std::string FileBytes(const std::string& path);

// Waits up to 30 seconds for the file to become readable; its bytes, or "<unreadable>".
std::string AwaitFile(const std::string& path);

#pragma once

#include <string>

namespace platform {

// Writes a closed file's data through to the disk, so that it survives a power loss once
// renamed into place (UTF-8 path). The file is opened anew: a handle taken from an open QFile
// stays open on Windows after the QFile closes and keeps the file from being renamed.
bool SyncFile(const std::string& path);

} // namespace platform

#pragma once

#include <string>

namespace platform {

// Makes a folder's entries durable, so that a file just renamed into it survives a power loss.
// The path is UTF-8. No when the folder could not be synchronised.
bool SyncFolder(const std::string& folderPath);

} // namespace platform

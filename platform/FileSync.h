#pragma once

namespace platform {

// Writes a file's data through to the disk, so that it survives a power loss once renamed into
// place. The handle is the C runtime's file descriptor (QFile::handle()).
bool SyncFile(int handle);

} // namespace platform

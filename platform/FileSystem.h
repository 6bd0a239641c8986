#pragma once

#include <string>

namespace platform {

// Plain file operations on UTF-8 paths. A Windows drive path ("C:\...") names nothing on a
// platform without drives: it does not exist there and is never created.

// Whether a file (not a folder) exists at the path.
bool FileExists(const std::string& path);

// Deletes the file; no when it could not be deleted.
bool RemoveFile(const std::string& path);

// Copies the file, replacing an existing target; no when it could not be copied.
bool CopyFileOver(const std::string& from, const std::string& to);

} // namespace platform

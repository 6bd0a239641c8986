#pragma once

#include <string>

namespace platform {

// Removes a file that the program made itself (UTF-8 path), also a read-only one: Windows
// refuses to delete a file with the read-only attribute, which a copy of a read-only program
// file keeps, so the attribute is cleared first. A link at the path is removed itself, never
// what it points to; a folder is left alone. No when nothing was removed.
bool RemoveOwnFile(const std::string& path);

} // namespace platform

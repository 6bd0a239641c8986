#pragma once

#include <string>

namespace platform {

// Opens a file (UTF-8 path) with the handler the system has for its kind, as the shell's
// "open" verb does; returns at once. No when the system refused.
bool OpenDocument(const std::string& path);

} // namespace platform

#pragma once

#include <string>

namespace platform {

// Lets the user's session start the program at log-in. Rewritten at every start, so a moved
// program folder is followed; never removed. Yes when the entry was written.
bool RegisterAutostart(const std::string& programPath);

} // namespace platform

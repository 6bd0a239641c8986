#pragma once

#include <string>

namespace platform {

// Starts a program as a new process of its own and does not wait for it. The command line is
// the whole program text (on Linux the path of the executable, started without arguments);
// showWindow is how its first window shows (1: normally). The answer is 0 when the process was
// started, else the system's error code.
int RunProgram(const std::string& commandLine, int showWindow);

} // namespace platform

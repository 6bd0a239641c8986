#include "platform/ProgramStart.h"

#include <cerrno>
#include <spawn.h>
#include <unistd.h>

namespace platform {

// A session of its own, so that the new process outlives its starter and is not ended with the
// starter's terminal or process group.
int RunProgram(const std::string& commandLine, int /*showWindow*/)
{
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return errno;
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string program = commandLine;
    char* const arguments[] = {program.data(), nullptr};
    pid_t child = 0;
    const int result =
        posix_spawn(&child, program.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    return result;
}

} // namespace platform

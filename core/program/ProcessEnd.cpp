#include "core/program/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>

namespace {

ProcessEndHandler& CurrentHandler()
{
    static ProcessEndHandler handler;
    return handler;
}

} // namespace

void EndProcess()
{
    const ProcessEndHandler& handler = CurrentHandler();
    if (handler) {
        handler();
        return;
    }
    // Settings are replaced atomically and the local database is only read, so there is nothing
    // to finish; destructors would run on objects the stack below still uses.
    std::fflush(nullptr);
    std::_Exit(0);
}

void SetProcessEndHandler(ProcessEndHandler handler)
{
    CurrentHandler() = std::move(handler);
}

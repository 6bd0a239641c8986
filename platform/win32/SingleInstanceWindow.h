#pragma once

#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"

namespace platform {

// What the hidden native window passes on to the program.
struct InstanceWindowHandlers
{
    SingleInstance::RequestHandler request;
    SessionEndHandlers session;
};

// The handlers of the one native window of the process.
InstanceWindowHandlers& WindowHandlers();

// Creates the hidden top-level window of the main window's class, which stands beside the Qt
// window: a later start finds it by class and places it or posts to it, and the system's
// session messages reach it. No when the system refuses.
bool CreateInstanceWindow();

} // namespace platform

#pragma once

#include <functional>
#include <memory>

namespace platform {

// What a later start of the program hands to the running copy.
enum class InstanceCommand
{
    ShowMainScreen, // bring the main screen up: 312 x 312, centred on the screen
};

// What reaches the running copy's main window from outside the program.
enum class InstanceRequest
{
    ShowMainScreen,  // a later start asked for the main screen
    TrayMenu,        // a tray-style notification carrying a right button press
    TrayDoubleClick, // a tray-style notification carrying a left double click
};

// Lets one copy of the program run per logon session and carries a later start's command to it.
class SingleInstance
{
public:
    using RequestHandler = std::function<void(InstanceRequest)>;

    virtual ~SingleInstance() = default;

    // Tries to become the running copy of this logon session, once, before the main window
    // exists. Any failure to tell counts as another copy running. The first copy keeps the
    // claim until the process ends.
    virtual bool BecomeFirst() = 0;

    // In a later start: hands the command to the running copy. Returns within a short, bounded
    // time whether or not a running copy takes it; never waits for an answer.
    virtual void SendToFirst(InstanceCommand command) = 0;

    // In the running copy: where the requests go, on the user-interface thread.
    virtual void SetRequestHandler(RequestHandler handler) = 0;
};

// The guard of this platform.
std::unique_ptr<SingleInstance> CreateSingleInstance();

} // namespace platform

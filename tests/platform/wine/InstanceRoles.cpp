#include "tests/platform/wine/InstanceRoles.h"

#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"
#include "tests/platform/wine/ProbeOutput.h"

#include <windows.h>

using platform::InstanceCommand;
using platform::InstanceRequest;

namespace {

// The message of a tray-style notification; lParam carries the mouse message.
constexpr UINT TrayNotification = WM_USER + 100;

std::string RequestName(InstanceRequest request)
{
    switch (request) {
    case InstanceRequest::ShowMainScreen:
        return "ShowMainScreen";
    case InstanceRequest::TrayMenu:
        return "TrayMenu";
    case InstanceRequest::TrayDoubleClick:
        return "TrayDoubleClick";
    }
    return "unknown";
}

HWND RunningCopyWindow()
{
    const HWND window = FindWindowW(L"Tfrm_Quillane_main", nullptr);
    if (window == nullptr)
        Print("no window\n");
    return window;
}

} // namespace

int RunFirstCopy(FirstCopyStart start)
{
    const auto instance = platform::CreateSingleInstance();
    if (!instance->BecomeFirst()) {
        Print("not first\n");
        return 2;
    }
    instance->SetRequestHandler(
        [](InstanceRequest request) { Print(RequestName(request) + "\n"); });
    platform::WatchSessionEnd({[] {
                                   Print("query\n");
                                   return true;
                               },
                               [](bool ends) {
                                   Print(ends ? "end\n" : "end cancelled\n");
                                   if (ends)
                                       PostQuitMessage(0);
                               }});
    SetTimer(nullptr, 0, 60000, nullptr); // gives up on a session that never ends
    Print("ready\n");
    if (start != FirstCopyStart::Idle) {
        if (start == FirstCopyStart::Busy)
            Sleep(20000);
        else
            platform::SleepWatchingSessionEnd(20000);
        Print("awake\n");
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            Print("timed out\n");
            return 3;
        }
        DispatchMessageW(&message);
    }
    return 0;
}

int RunLaterStart(const std::string& command)
{
    if (command != "SHOW")
        return 2;
    const auto instance = platform::CreateSingleInstance();
    const bool first = instance->BecomeFirst();
    Print(first ? "first\n" : "second\n");
    if (!first)
        instance->SendToFirst(InstanceCommand::ShowMainScreen);
    return 0;
}

int NotifyLikeTheTray()
{
    const HWND window = RunningCopyWindow();
    if (window == nullptr)
        return 1;
    for (const UINT mouse : {WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONDBLCLK})
        PostMessageW(window, TrayNotification, 0, mouse);
    return 0;
}

int EndSession()
{
    const HWND window = RunningCopyWindow();
    if (window == nullptr)
        return 1;
    DWORD_PTR answer = FALSE;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    Print(answer ? "yes\n" : "no\n");
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    return answer ? 0 : 1;
}

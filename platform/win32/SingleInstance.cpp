#include "platform/SingleInstance.h"

#include "platform/win32/SingleInstanceWindow.h"

#include <windows.h>

namespace platform {
namespace {

// The class a later start looks the main window up by.
constexpr wchar_t MainWindowLookupClass[] = L"Tfrm_Quillane_main";
// The main screen's width and height.
constexpr int MainScreenSize = 312;

class Win32SingleInstance final : public SingleInstance
{
public:
    bool BecomeFirst() override
    {
        SetLastError(0);
        // Owned from the start and never released or closed: the system drops it when the
        // process ends. A failure, or a name that existed already, means another copy runs.
        const HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Quillane");
        if (mutex == nullptr || GetLastError() != 0)
            return false;
        CreateInstanceWindow();
        return true;
    }

    void SendToFirst(InstanceCommand command) override
    {
        const HWND window = FindWindowW(MainWindowLookupClass, nullptr);
        if (window == nullptr)
            return;
        switch (command) {
        case InstanceCommand::ShowMainScreen:
            // Posted to the running copy's thread rather than sent: a copy busy in one of its
            // fixed waits would otherwise hold this start until the wait is over.
            SetWindowPos(window, HWND_NOTOPMOST,
                         (GetSystemMetrics(SM_CXSCREEN) - MainScreenSize) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - MainScreenSize) / 2, MainScreenSize,
                         MainScreenSize, SWP_ASYNCWINDOWPOS);
            break;
        }
    }

    void SetRequestHandler(RequestHandler handler) override
    {
        WindowHandlers().request = std::move(handler);
    }
};

} // namespace

std::unique_ptr<SingleInstance> CreateSingleInstance()
{
    return std::make_unique<Win32SingleInstance>();
}

} // namespace platform

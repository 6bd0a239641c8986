#include "platform/win32/SingleInstanceWindow.h"

#include <windows.h>

namespace platform {
namespace {

// WORKAROUND: the class name of the earlier program's main window, kept because later starts of
// every version and the installer find the running copy by it. Class names compare without
// regard to case, so a later start finds it under "Tfrm_Quillane_main" too.
constexpr wchar_t MainWindowClass[] = L"Tfrm_Quillane_Main";

// The tray-style notification: lParam carries a mouse message.
constexpr UINT TrayNotification = WM_USER + 100;
// Posted to itself, so that a later start's placing call returns before the program acts.
constexpr UINT ShowMainScreenLater = WM_APP;

bool windowReady = false;

void Request(InstanceRequest request)
{
    if (WindowHandlers().request)
        WindowHandlers().request(request);
}

// A move and resize that the program did not make is a later start placing the main screen;
// the stand-in itself stays hidden where it is.
LRESULT PositionChanging(HWND window, WINDOWPOS& position)
{
    if (windowReady && (position.flags & (SWP_NOMOVE | SWP_NOSIZE)) == 0) {
        position.flags |= SWP_NOMOVE | SWP_NOSIZE;
        PostMessageW(window, ShowMainScreenLater, 0, 0);
    }
    return 0;
}

void TrayMouse(LPARAM mouseMessage)
{
    if (mouseMessage == WM_RBUTTONDOWN)
        Request(InstanceRequest::TrayMenu);
    else if (mouseMessage == WM_LBUTTONDBLCLK)
        Request(InstanceRequest::TrayDoubleClick);
}

LRESULT QueryEndSession()
{
    const SessionEndHandlers& session = WindowHandlers().session;
    return !session.query || session.query() ? TRUE : FALSE;
}

void EndSession(WPARAM ends)
{
    const SessionEndHandlers& session = WindowHandlers().session;
    if (session.end)
        session.end(ends != 0);
}

LRESULT CALLBACK InstanceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        return PositionChanging(window, *reinterpret_cast<WINDOWPOS*>(lParam));
    case ShowMainScreenLater:
        Request(InstanceRequest::ShowMainScreen);
        return 0;
    case TrayNotification:
        TrayMouse(lParam);
        return 0;
    case WM_QUERYENDSESSION:
        return QueryEndSession();
    case WM_ENDSESSION:
        EndSession(wParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

InstanceWindowHandlers& WindowHandlers()
{
    static InstanceWindowHandlers handlers;
    return handlers;
}

bool CreateInstanceWindow()
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = InstanceWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = MainWindowClass;
    if (RegisterClassExW(&windowClass) == 0)
        return false;
    // A top-level window, never shown: message-only windows are neither found by class nor
    // told about the end of the session.
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, MainWindowClass, L"", WS_POPUP, 0, 0, 0,
                                        0, nullptr, nullptr, module, nullptr);
    windowReady = window != nullptr;
    return windowReady;
}

} // namespace platform

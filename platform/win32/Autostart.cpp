#include "platform/Autostart.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {

// The per-user Run value "QUILLANE": the program's path in quotes, so that a path with a space
// never starts a program named by its first part ("C:\Program.exe").
bool RegisterAutostart(const std::string& programPath)
{
    HKEY run = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &run, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring value = L'"' + WideFromUtf8(programPath) + L'"';
    const LONG result =
        RegSetValueExW(run, L"QUILLANE", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(run);
    return result == ERROR_SUCCESS;
}

} // namespace platform

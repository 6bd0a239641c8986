#include "ProgramStart.h"

#include <windows.h>

namespace platform {
namespace {

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

} // namespace

// The command line alone names the program; nothing is inherited; the handles of the new
// process and its thread are closed at once.
int RunProgram(const std::string& commandLine, int showWindow)
{
    std::wstring command = Wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = static_cast<WORD>(showWindow);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS | CREATE_SEPARATE_WOW_VDM, nullptr, nullptr, &startup,
                        &process))
        return static_cast<int>(GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

} // namespace platform

#include "platform/ProgramStart.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {
namespace {

// The path of an existing file, blanks and all.
bool NamesAFile(const std::wstring& commandLine)
{
    const DWORD attributes = GetFileAttributesW(commandLine.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Refusals that pass: a scanner still reading a file just written, or (under Wine) a new process
// lost before it started.
bool IsPassing(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_INTERNAL_ERROR;
}

} // namespace

// A command line that is a program's path names that program alone, quoted for the program's
// own arguments: without the application name the system would first run whatever the path up
// to its first blank names ("C:\Program.exe" for "C:\Program Files\..."). Nothing is inherited;
// the handles of the new process and its thread are closed at once. A program just put in place
// may still be held by a virus scanner, so a start it refuses is tried again.
int RunProgram(const std::string& commandLine, int showWindow)
{
    std::wstring command = WideFromUtf8(commandLine);
    const bool wholePath = NamesAFile(command);
    const std::wstring program = wholePath ? command : std::wstring();
    if (wholePath)
        command = L'"' + command + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = static_cast<WORD>(showWindow);
    PROCESS_INFORMATION process{};
    // A refusal that passes is tried again for about two seconds.
    for (int tries = 1;; ++tries) {
        if (CreateProcessW(wholePath ? program.c_str() : nullptr, command.data(), nullptr, nullptr,
                           FALSE, NORMAL_PRIORITY_CLASS | CREATE_SEPARATE_WOW_VDM, nullptr, nullptr,
                           &startup, &process))
            break;
        const DWORD error = GetLastError();
        if (tries == 10 || !IsPassing(error))
            return static_cast<int>(error);
        Sleep(200);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

} // namespace platform

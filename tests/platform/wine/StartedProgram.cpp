#include "tests/platform/wine/StartedProgram.h"

#include "platform/win32/WideText.h"
#include "tests/platform/wine/ProbeFiles.h"

// shellapi.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

using platform::Utf8FromWide;

int RecordStart()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string parsed;
    for (int i = 0; i < count; ++i)
        parsed += (i == 0 ? "" : "|") + Utf8FromWide(arguments[i], wcslen(arguments[i]));
    LocalFree(arguments);
    wchar_t folder[MAX_PATH] = {};
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH, folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    const std::string record = parsed + "\n" + Utf8FromWide(folder, folderLength) + "\n" +
                               std::to_string(startup.dwFlags) + " " +
                               std::to_string(startup.wShowWindow) + "\n";

    // Written aside and renamed, so that the starter never reads half of it.
    const std::string module = ModulePath();
    const std::string besides = module.substr(0, module.rfind('\\') + 1);
    if (!PutFile(besides + "started.tmp", record))
        return 1;
    return MoveFileExW(platform::WideFromUtf8(besides + "started.tmp").c_str(),
                       platform::WideFromUtf8(besides + "started.txt").c_str(),
                       MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}

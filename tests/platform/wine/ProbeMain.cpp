#include "platform/win32/WideText.h"
#include "tests/platform/wine/BackendChecks.h"
#include "tests/platform/wine/CodePageTable.h"
#include "tests/platform/wine/InstanceRoles.h"
#include "tests/platform/wine/ProbeFiles.h"
#include "tests/platform/wine/ProbeOutput.h"
#include "tests/platform/wine/ProfileExchange.h"
#include "tests/platform/wine/StartedProgram.h"

#include <string>
#include <vector>

// The Windows side of the backend tests, run under Wine by the native test:
//   checks FOLDER              the in-process checks, FOLDER being theirs
//   first | busy-first | waiting-first | later SHOW | tray | end-session
//                              the parts of the single-instance hand-over
//   profile-read FILE TABLE | profile-write FILE
//                              the profile API's side of the settings-file cases
//   codepage TABLE             the code page 949 conversions of the table
// A copy under another name is a program the checks start, whatever its arguments.
// The exit code is non-zero on any failure.
int wmain(int argc, wchar_t** argv)
{
    if (!ModulePath().ends_with(std::string("\\") + ProbeName))
        return RecordStart();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(platform::Utf8FromWide(argv[i], wcslen(argv[i])));
    const std::string command = arguments.empty() ? std::string() : arguments[0];
    const std::size_t count = arguments.size();

    if (command == "checks" && count == 2)
        return RunBackendChecks(arguments[1]) == 0 ? 0 : 1;
    if (command == "first" && count == 1)
        return RunFirstCopy(FirstCopyStart::Idle);
    if (command == "busy-first" && count == 1)
        return RunFirstCopy(FirstCopyStart::Busy);
    if (command == "waiting-first" && count == 1)
        return RunFirstCopy(FirstCopyStart::InFixedWait);
    if (command == "later" && count == 2)
        return RunLaterStart(arguments[1]);
    if (command == "tray" && count == 1)
        return NotifyLikeTheTray();
    if (command == "end-session" && count == 1)
        return EndSession();
    if (command == "profile-read" && count == 3)
        return ReadProfileTable(arguments[1], arguments[2]) == 0 ? 0 : 1;
    if (command == "profile-write" && count == 2)
        return WriteExchangedEntries(arguments[1]) == 0 ? 0 : 1;
    if (command == "codepage" && count == 2)
        return CheckCodePageTable(arguments[1]) == 0 ? 0 : 1;
    Print("usage: checks FOLDER | first | busy-first | waiting-first | later SHOW | tray |\n"
          "       end-session | profile-read FILE TABLE | profile-write FILE | codepage TABLE\n");
    return 64;
}

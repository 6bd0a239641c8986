#include "tests/platform/wine/StartChecks.h"

#include "platform/DocumentOpener.h"
#include "platform/FileSystem.h"
#include "platform/ProgramStart.h"
#include "platform/win32/WideText.h"
#include "tests/platform/wine/Check.h"
#include "tests/platform/wine/ProbeFiles.h"
#include "tests/platform/wine/StartedProgram.h"

#include <utility>
#include <windows.h>

using namespace platform;

namespace {

// The program folder of the started copy; made afresh with the copy in it.
std::string ProgramFolderWithCopy(const std::string& folder)
{
    const std::string programFolder = folder + "\\프로그램 폴더";
    CreateDirectoryW(WideFromUtf8(programFolder).c_str(), nullptr);
    CopyFileOver(ModulePath(), programFolder + "\\" + StartedProgramName);
    return programFolder;
}

// Starts the copy by each form of command line and compares what the child recorded.
std::string AllStartsAsCommanded(const std::string& folder, const std::string& programFolder)
{
    const std::string program = programFolder + "\\" + StartedProgramName;
    const std::string started = programFolder + "\\started.txt";
    // As the update and the updater start each other: the bare path, blank and all. What
    // counts is how the child's command line splits: Wine hands a bare path over quoted.
    const std::pair<std::string, std::string> cases[] = {
        {program, program},
        {"\"" + program + "\" SHOW", program + "|SHOW"},
    };
    for (const auto& [commandLine, arguments] : cases) {
        RemoveFile(started);
        if (const int error = RunProgram(commandLine, SW_SHOWNORMAL))
            return "error " + std::to_string(error) + " for " + commandLine;
        const std::string expected = arguments + "\n" + folder + "\n" +
                                     std::to_string(STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK) +
                                     " " + std::to_string(SW_SHOWNORMAL) + "\n";
        const std::string record = AwaitFile(started);
        if (record != expected)
            return "the child recorded \"" + record + "\" for " + commandLine;
    }
    return {};
}

} // namespace

std::string ChildStartsAsCommanded(const std::string& folder)
{
    const std::string programFolder = ProgramFolderWithCopy(folder);
    // A program named as the path up to its blank, which must not run in its stead.
    const std::string decoy = folder + "\\프로그램.exe";
    const std::string decoyStarted = folder + "\\started.txt";
    RemoveFile(decoyStarted);
    CopyFileOver(ModulePath(), decoy);
    SetCurrentDirectoryW(WideFromUtf8(folder).c_str());
    const std::string found = AllStartsAsCommanded(folder, programFolder);
    RemoveFile(decoy);
    if (!found.empty())
        return found;
    return Expect(!FileExists(decoyStarted), "the path up to its blank ran");
}

std::string MissingProgramsAreNotStarted(const std::string& folder)
{
    const std::string programFolder = ProgramFolderWithCopy(folder);
    RemoveFile(programFolder + "\\started.txt");
    const std::string commandLines[] = {
        programFolder + "\\없는 프로그램.exe",
        folder + "\\없는 폴더\\" + StartedProgramName,
        programFolder,
        "",
    };
    for (const std::string& commandLine : commandLines) {
        if (RunProgram(commandLine, SW_SHOWNORMAL) == 0)
            return "\"" + commandLine + "\" counts as started";
    }
    Sleep(500);
    return Expect(!FileExists(programFolder + "\\started.txt"), "a program started");
}

std::string DocumentsOpenWithTheirHandler(const std::string& folder)
{
    const std::string document = folder + "\\도움말 열기.bat";
    const std::string opened = folder + "\\opened.txt";
    RemoveFile(opened);
    if (!PutFile(document, "@echo opened> \"%~dp0opened.txt\"\r\n"))
        return "cannot write the batch file";
    if (OpenDocument(folder + "\\없는 도움말.bat"))
        return "a missing document counts as opened";
    if (!OpenDocument(document))
        return "refused " + document;
    const std::string record = AwaitFile(opened);
    return Expect(record == "opened\r\n", "the handler wrote \"" + record + "\"");
}

std::string HeldProgramStartsOnceReleased(const std::string& folder)
{
    const std::string programFolder = ProgramFolderWithCopy(folder);
    const std::string program = programFolder + "\\" + StartedProgramName;
    RemoveFile(programFolder + "\\started.txt");
    // Held as a scanner holds a file it reads, and let go after a while.
    const HANDLE held = CreateFileW(WideFromUtf8(program).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return "cannot hold " + program;
    const HANDLE releaser = CreateThread(
        nullptr, 0,
        [](void* handle) -> DWORD {
            Sleep(600);
            CloseHandle(handle);
            return 0;
        },
        held, 0, nullptr);
    const ULONGLONG before = GetTickCount64();
    const int error = RunProgram(program, SW_SHOWNORMAL);
    const ULONGLONG waited = GetTickCount64() - before;
    WaitForSingleObject(releaser, INFINITE);
    CloseHandle(releaser);
    if (error)
        return "error " + std::to_string(error) + " for the held program";
    if (waited < 400)
        return "started while held";
    return Expect(AwaitFile(programFolder + "\\started.txt").rfind(program, 0) == 0,
                  "the released program did not record its start");
}

#include "tests/platform/wine/BackendChecks.h"

#include "platform/Autostart.h"
#include "platform/ComputerName.h"
#include "platform/DesktopLink.h"
#include "platform/FileSystem.h"
#include "platform/FolderPrivacy.h"
#include "platform/FolderSync.h"
#include "platform/IdleArithmetic.h"
#include "platform/IdleTime.h"
#include "platform/InputMode.h"
#include "platform/Services.h"
#include "platform/win32/WideText.h"
#include "tests/platform/wine/Check.h"
#include "tests/platform/wine/LeftoverChecks.h"
#include "tests/platform/wine/LinkReader.h"
#include "tests/platform/wine/ProbeFiles.h"
#include "tests/platform/wine/StartChecks.h"

#include <utility>
// imm.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <imm.h>
// clang-format on

using namespace platform;

namespace {

std::string Number(unsigned long long value)
{
    return std::to_string(value);
}

std::string EnvironmentValue(const wchar_t* name)
{
    wchar_t value[256] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 256);
    return length < 256 ? Utf8FromWide(value, length) : std::string();
}

std::string RunValue()
{
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"QUILLANE", RRF_RT_ANY, &type, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    if (type != REG_SZ)
        return "<type " + Number(type) + ">";
    return Utf8FromWide(value, wcslen(value));
}

std::string AnsiCodePageIs949()
{
    return Expect(GetACP() == 949, "the ANSI code page is " + Number(GetACP()));
}

std::string ComputerNameIsTheSystems()
{
    const std::string name = LocalComputerName();
    const std::string expected = CutComputerName(EnvironmentValue(L"COMPUTERNAME"));
    return Expect(!name.empty() && name == expected,
                  "reads \"" + name + "\", the system says \"" + expected + "\"");
}

std::string IdleSecondsWithinUptime()
{
    const std::optional<std::uint32_t> seconds = CreateSystemIdleSource()->IdleSeconds();
    if (!seconds)
        return "no idle seconds";
    const DWORD uptime = GetTickCount() / 1000;
    return Expect(*seconds <= uptime,
                  Number(*seconds) + " idle seconds after " + Number(uptime) + " s of uptime");
}

std::string IdleTicksAcrossTheWrap()
{
    struct Ticks
    {
        DWORD now;
        DWORD lastInput;
        std::uint32_t seconds;
    };
    constexpr Ticks cases[] = {
        {65000, 5000, 60},
        {1999, 0xFFFFFC18, 2}, // the counter wrapped a second after the last input
        {0xFFFFFFFF, 0, 4294967},
    };
    for (const Ticks& ticks : cases) {
        const std::uint32_t seconds = IdleSecondsFromTicks(ticks.now, ticks.lastInput);
        if (seconds != ticks.seconds)
            return Number(ticks.lastInput) + " to " + Number(ticks.now) + " gives " +
                   Number(seconds) + " s";
    }
    return {};
}

std::string RunValueWrittenAndRewritten()
{
    for (const std::string path :
         {"C:\\Program Files\\Quillane\\Quillane.exe", "D:\\똘똠약국\\프로그램\\Quillane.exe"}) {
        if (!RegisterAutostart(path))
            return "not written for " + path;
        const std::string read = RunValue();
        if (read != '"' + path + '"')
            return "reads back \"" + read + "\" for " + path;
    }
    return {};
}

std::string DesktopFolderExists()
{
    const std::string folder = DesktopFolder();
    return Expect(IsFolder(folder), "\"" + folder + "\" is no folder");
}

std::string LinkWrittenOnceAndReadBack(const std::string& folder)
{
    const ShellLink link{ModulePath(), "SHOW", folder};
    const std::string path = DesktopLinkPath(folder, "초록우체통");
    if (!CreateDesktopLink(folder, "초록우체통", link))
        return "not created";
    if (!CreateDesktopLink(folder, "초록우체통", {"C:\\elsewhere.exe", "POS", "C:\\"}))
        return "an existing link counts as missing";
    const std::optional<ShellLink> read = ReadShellLink(path);
    if (!read)
        return "cannot load " + path;
    return Expect(read->target == link.target && read->arguments == link.arguments &&
                      read->workingFolder == link.workingFolder,
                  "reads \"" + read->target + "\" \"" + read->arguments + "\" in \"" +
                      read->workingFolder + "\"");
}

// Without a desktop folder there is no link, neither in the current drive's root nor elsewhere.
std::string NoLinkWithoutADesktopFolder(const std::string& folder)
{
    SetCurrentDirectoryW(WideFromUtf8(folder).c_str());
    const std::string atRoot = DesktopLinkPath("", "초록우체통");
    RemoveFile(atRoot);
    for (const std::string& desktop : {std::string(), folder + "\\없는 폴더"}) {
        if (CreateDesktopLink(desktop, "초록우체통", {ModulePath(), "SHOW", folder}))
            return "a link for the desktop \"" + desktop + "\"";
    }
    return Expect(!FileExists(atRoot), "a link at " + atRoot);
}

// Neither an unknown service nor a machine that does not answer is running or can be started.
std::string UnknownServicesAreNotRunning()
{
    const std::pair<std::string, std::string> services[] = {
        {"", "QuillaneNoSuchService"},
        {"NO-SUCH-PC", "MSSQLSERVER"},
    };
    for (const auto& [machine, service] : services) {
        const int state = ServiceState(machine, service);
        if (state != 0)
            return service + " on \"" + machine + "\" is in state " + Number(state);
        if (StartSqlService(machine, service, {std::chrono::milliseconds(500), 2}))
            return service + " on \"" + machine + "\" started";
    }
    return {};
}

// The prefix's print spooler is installed, stopped until asked to start.
std::string StoppedServiceStarts()
{
    const int before = ServiceState("", "Spooler");
    const bool started = StartSqlService("", "Spooler");
    const int after = ServiceState("", "Spooler");
    return Expect(before == 1 && started && after == ServiceRunning,
                  "state " + Number(before) + (started ? ", started, " : ", not started, ") +
                      "state " + Number(after));
}

std::string FileNamesWithoutRegardToCase(const std::string& folder)
{
    if (!PutFile(folder + "\\Quillane.ini", "[Quillane]\r\n"))
        return "cannot write the file";
    struct Existence
    {
        std::string path;
        bool exists;
    };
    const Existence cases[] = {
        {folder + "\\Quillane.ini", true},
        {folder + "\\QUILLANE.INI", true},
        {folder + "\\quillane.ini", true},
        {folder + "\\Quillane.ini.bak", false},
        {folder, false},
        {folder + "\\없는파일.ini", false},
        {"Q:\\NoSuchFolder\\x.ini", false},
    };
    for (const Existence& existence : cases) {
        if (FileExists(existence.path) != existence.exists)
            return existence.path + (existence.exists ? " missing" : " found");
    }
    return {};
}

std::string CopyReplacesAndRemoves(const std::string& folder)
{
    const std::string from = folder + "\\QUILLANE_Version.INI";
    const std::string to = folder + "\\초록우체통.bak";
    for (const std::string content : {"first", "second, longer"}) {
        if (!PutFile(from, content) || !CopyFileOver(folder + "\\quillane_version.ini", to))
            return "not copied: " + content;
        if (FileBytes(to) != content)
            return "the copy holds \"" + FileBytes(to) + "\"";
    }
    if (CopyFileOver(folder + "\\없는파일.ini", to) || FileBytes(to) != "second, longer")
        return "a missing file was copied";
    if (!RemoveFile(folder + "\\초록우체통.BAK") || FileExists(to))
        return "not removed";
    return Expect(!RemoveFile(to), "a missing file counts as removed");
}

std::string FolderSyncs(const std::string& folder)
{
    return Expect(SyncFolder(folder), "refused");
}

// The folders under 권한 are made on the Unix side with their modes and owner, which Wine shows
// as their access lists.
std::string FolderPrivacy(const std::string& folder)
{
    const std::string file = folder + "\\개인.txt";
    if (!PutFile(file, "x"))
        return "cannot write the file";
    const std::pair<std::string, bool> cases[] = {
        {folder, true},
        {folder + "\\", true},
        {folder + "\\없는 폴더", false},
        {file, false},
        {folder + "\\권한\\사용자만", true},
        {folder + "\\권한\\모두 읽는 폴더", true},
        {folder + "\\권한\\모두 쓰는 폴더", false},
        {folder + "\\권한\\남의 폴더", false},
        {"Z:\\tmp", false},
        // Every folder on the way counts; a Windows link on the way is not followed.
        {folder + "\\권한\\사용자만\\개인 폴더", true},
        {folder + "\\권한\\모두 쓰는 폴더\\개인 폴더", false},
        {folder + "\\권한\\남의 폴더\\개인 폴더", false},
        {folder + "\\권한\\링크\\개인 폴더", false},
        {folder + "\\권한\\링크", false},
    };
    for (const auto& [path, isPrivate] : cases) {
        if (FolderIsPrivate(path) != isPrivate)
            return path + (isPrivate ? " counts as open" : " counts as private");
    }
    return {};
}

// A text box switched to Hangul keeps its other input modes. Where the system gives it no input
// context (Wine's display driver without an input method), the answer is no; without a window
// nothing switches.
std::string TextBoxSwitchesToHangul()
{
    const HWND box = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 40, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    const HIMC context = ImmGetContext(box);
    DWORD before = 0;
    DWORD sentence = 0;
    ImmGetConversionStatus(context, &before, &sentence);
    const bool switched = SelectNativeInputMode(reinterpret_cast<std::uintptr_t>(box));
    DWORD after = 0;
    ImmGetConversionStatus(context, &after, &sentence);
    ImmReleaseContext(box, context);
    DestroyWindow(box);
    if (SelectNativeInputMode(0))
        return "switched without a window";
    if (context == nullptr)
        return Expect(!switched, "switched without an input context");
    return Expect(switched && after == (before | IME_CMODE_NATIVE),
                  std::string(switched ? "switched" : "not switched") + ", mode " + Number(before) +
                      " became " + Number(after));
}

// The download stamps its file with a time already cut to two seconds, as the file-date
// format holds it: the drive itself keeps odd seconds, and that format cuts them downwards.
std::string FileTimesKeepOddSeconds(const std::string& folder)
{
    const std::string path = folder + "\\QUILLANE_UPDATE.ZIP";
    if (!PutFile(path, "PK"))
        return "cannot write the file";
    struct Stamp
    {
        WORD second;
        WORD storedSecond;
        WORD fileDateSecond;
    };
    constexpr Stamp stamps[] = {{1, 1, 0}, {58, 58, 58}, {59, 59, 58}};
    for (const Stamp& stamp : stamps) {
        const SYSTEMTIME time{2017, 3, 4, 2, 13, 45, stamp.second, 0};
        FILETIME written{};
        SystemTimeToFileTime(&time, &written);
        const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const bool set = SetFileTime(file, nullptr, nullptr, &written);
        CloseHandle(file);
        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        const bool stored = set && GetFileAttributesExW(WideFromUtf8(path).c_str(),
                                                        GetFileExInfoStandard, &attributes);
        const FILETIME read = attributes.ftLastWriteTime;
        SYSTEMTIME readTime{};
        FileTimeToSystemTime(&read, &readTime);
        WORD date = 0;
        WORD dosTime = 0;
        FileTimeToDosDateTime(&written, &date, &dosTime);
        const WORD fileDateSecond = static_cast<WORD>((dosTime & 0x1F) * 2);
        if (!stored || readTime.wMinute != 45 || readTime.wSecond != stamp.storedSecond ||
            fileDateSecond != stamp.fileDateSecond)
            return "second " + Number(stamp.second) + " reads back as " + Number(readTime.wSecond) +
                   ", in the file-date format " + Number(fileDateSecond);
    }
    return {};
}

} // namespace

int RunBackendChecks(const std::string& folder)
{
    const Check checks[] = {
        {"ANSI code page 949", AnsiCodePageIs949},
        {"computer name", ComputerNameIsTheSystems},
        {"idle seconds", IdleSecondsWithinUptime},
        {"idle ticks across the wrap", IdleTicksAcrossTheWrap},
        {"Run value", RunValueWrittenAndRewritten},
        {"desktop folder", DesktopFolderExists},
        {"desktop link", [&folder] { return LinkWrittenOnceAndReadBack(folder); }},
        {"no link without a desktop folder",
         [&folder] { return NoLinkWithoutADesktopFolder(folder); }},
        {"unknown services", UnknownServicesAreNotRunning},
        {"stopped service started", StoppedServiceStarts},
        {"file names without regard to case",
         [&folder] { return FileNamesWithoutRegardToCase(folder); }},
        {"copy and remove", [&folder] { return CopyReplacesAndRemoves(folder); }},
        {"folder sync", [&folder] { return FolderSyncs(folder); }},
        {"folder privacy", [&folder] { return FolderPrivacy(folder); }},
        {"read-only own files removed", [&folder] { return ReadOnlyOwnFilesGo(folder); }},
        {"temporary folder clean-up", [&folder] { return TemporaryFolderCleanUp(folder); }},
        {"file times", [&folder] { return FileTimesKeepOddSeconds(folder); }},
        {"Hangul input mode", TextBoxSwitchesToHangul},
        {"program start", [&folder] { return ChildStartsAsCommanded(folder); }},
        {"missing programs", [&folder] { return MissingProgramsAreNotStarted(folder); }},
        {"held program", [&folder] { return HeldProgramStartsOnceReleased(folder); }},
        {"documents opened", [&folder] { return DocumentsOpenWithTheirHandler(folder); }},
    };
    return RunChecks(checks);
}

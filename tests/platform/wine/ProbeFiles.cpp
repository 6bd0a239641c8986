#include "tests/platform/wine/ProbeFiles.h"

#include "platform/win32/WideText.h"

#include <windows.h>

using platform::Utf8FromWide;
using platform::WideFromUtf8;

std::string ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Utf8FromWide(path, length);
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PutFile(const std::string& path, const std::string& bytes)
{
    const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool done =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return done;
}

std::string FileBytes(const std::string& path)
{
    const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<unreadable>";
    char buffer[4096];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// The writer may still hold the file open for a moment after it appeared.
std::string AwaitFile(const std::string& path)
{
    std::string bytes = FileBytes(path);
    for (int tries = 0; tries < 300 && bytes == "<unreadable>"; ++tries) {
        Sleep(100);
        bytes = FileBytes(path);
    }
    return bytes;
}

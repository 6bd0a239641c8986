#include "platform/FileSystem.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::string& path)
{
    return DeleteFileW(WideFromUtf8(path).c_str()) != 0;
}

bool CopyFileOver(const std::string& from, const std::string& to)
{
    return CopyFileW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), FALSE) != 0;
}

} // namespace platform

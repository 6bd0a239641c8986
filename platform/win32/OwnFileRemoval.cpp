#include "platform/OwnFileRemoval.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {

bool RemoveOwnFile(const std::string& path)
{
    const std::wstring widePath = WideFromUtf8(path);
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    // A junction or a link to a folder goes as a folder does, without what it points to.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(widePath.c_str()) != 0
                                                       : DeleteFileW(widePath.c_str()) != 0;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    if ((attributes & FILE_ATTRIBUTE_READONLY) &&
        !SetFileAttributesW(widePath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    return DeleteFileW(widePath.c_str()) != 0;
}

} // namespace platform

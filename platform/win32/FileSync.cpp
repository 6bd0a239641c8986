#include "platform/FileSync.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {

bool SyncFile(const std::string& path)
{
    const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool synced = FlushFileBuffers(file) != FALSE;
    return CloseHandle(file) != FALSE && synced;
}

} // namespace platform

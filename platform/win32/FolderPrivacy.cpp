#include "FolderPrivacy.h"

#include "WideText.h"

#include <windows.h>

namespace platform {

// The temporary folder of the program's own on Windows is not shared the way /tmp is; it must
// still be a folder, and not a link (junction or symbolic link) to somewhere else.
bool FolderIsPrivate(const std::string& folder)
{
    // Without the trailing separator, which would follow a link; a drive's root keeps its own.
    std::string path = folder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace platform

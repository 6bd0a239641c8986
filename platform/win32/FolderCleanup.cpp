#include "platform/FolderCleanup.h"

#include "platform/win32/WideText.h"

// aclapi.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <aclapi.h>
// clang-format on

#include <memory>
#include <vector>

namespace platform {
namespace {

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle Opened(HANDLE handle)
{
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// What the handle is, a link itself rather than what it points to.
DWORD AttributesOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information{};
    return GetFileInformationByHandle(handle, &information) ? information.dwFileAttributes
                                                            : INVALID_FILE_ATTRIBUTES;
}

// Whether the name and the handle opened through it both show a plain entry of the kind: no
// link (Wine opens a link's target even when asked for the link, but shows the name as one).
bool IsPlain(const std::wstring& path, HANDLE handle, DWORD kind)
{
    for (const DWORD attributes : {GetFileAttributesW(path.c_str()), AttributesOf(handle)})
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
            (attributes & FILE_ATTRIBUTE_DIRECTORY) != kind)
            return false;
    return true;
}

// The path the system resolved for the handle.
std::wstring FinalPath(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, path.data(), DWORD(path.size()), 0);
    if (length >= path.size()) {
        path.resize(length);
        length = GetFinalPathNameByHandleW(handle, path.data(), DWORD(path.size()), 0);
    }
    path.resize(length < path.size() ? length : 0);
    return path;
}

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool OwnedByTheUser(HANDLE folder)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    const Handle tokenHandle(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size))
        return false;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, decltype(&LocalFree)> freed(descriptor, &LocalFree);
    return owner && EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
}

// Deletes the file at the name when it is a plain file right in the folder, through its handle.
void RemovePlainFile(const std::wstring& path, const std::wstring& folderFinalPath)
{
    const Handle file =
        Opened(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file)
        return;
    const std::wstring filePath = FinalPath(file.get());
    const std::size_t separator = filePath.find_last_of(L'\\');
    if (!IsPlain(path, file.get(), 0) || separator == std::wstring::npos ||
        !SameIgnoringCase(filePath.substr(0, separator), folderFinalPath))
        return;
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof(disposition));
}

} // namespace

void RemoveFilesOfOwnFolder(const std::string& folder, const std::vector<std::string>& names)
{
    std::string path = folder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    const std::wstring widePath = WideFromUtf8(path);
    // Held without sharing its removal, so that the folder is neither renamed nor replaced while
    // its files go; a link at its name is opened itself, not followed.
    const Handle held =
        Opened(CreateFileW(widePath.c_str(), FILE_LIST_DIRECTORY | READ_CONTROL,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!held || !IsPlain(widePath, held.get(), FILE_ATTRIBUTE_DIRECTORY) ||
        !OwnedByTheUser(held.get()))
        return;
    const std::wstring folderFinalPath = FinalPath(held.get());
    if (folderFinalPath.empty())
        return;
    for (const std::string& name : names)
        RemovePlainFile(widePath + L'\\' + WideFromUtf8(name), folderFinalPath);
}

} // namespace platform

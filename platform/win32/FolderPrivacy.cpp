#include "FolderPrivacy.h"

#include "WideText.h"

// aclapi.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <aclapi.h>
// clang-format on

#include <memory>
#include <vector>

namespace platform {
namespace {

// What lets somebody put a file into the folder, replace or change one in it, or give himself
// that right.
constexpr ACCESS_MASK WritingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD |
                                      DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                      GENERIC_ALL | MAXIMUM_ALLOWED;

// The user the program runs as.
std::vector<BYTE> CurrentUser()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size))
        user.clear();
    CloseHandle(token);
    return user;
}

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    return IsValidSid(sid) && IsWellKnownSid(sid, type);
}

// The user himself, and those who may do anything on the computer anyway.
bool IsTrusted(PSID sid, PSID user)
{
    return EqualSid(sid, user) || IsWellKnown(sid, WinLocalSystemSid) ||
           IsWellKnown(sid, WinBuiltinAdministratorsSid);
}

// Whether an entry of the list lets somebody else write. An entry for the files and folders
// made inside counts as well, as those are the update's own files; rights given to their
// creator go to the user, who creates them.
bool GrantsOthersWriting(const ACE_HEADER* header, PSID user)
{
    switch (header->AceType) {
    case ACCESS_DENIED_ACE_TYPE:
        return false;
    case ACCESS_ALLOWED_ACE_TYPE: {
        const auto* entry = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
        const PSID sid = const_cast<DWORD*>(&entry->SidStart);
        return (entry->Mask & WritingRights) != 0 && !IsTrusted(sid, user) &&
               !IsWellKnown(sid, WinCreatorOwnerSid);
    }
    default:
        // Conditional and object entries are not understood here, so not trusted.
        return true;
    }
}

// The folder is the user's own (or the administrators'), and its access list lets nobody else
// write into it. A folder without a list is open to everybody.
bool OnlyTheUserWrites(const std::wstring& path)
{
    const std::vector<BYTE> userBytes = CurrentUser();
    if (userBytes.empty())
        return false;
    const PSID user = reinterpret_cast<const TOKEN_USER*>(userBytes.data())->User.Sid;
    PSID owner = nullptr;
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                              nullptr, &list, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, decltype(&LocalFree)> freed(descriptor, &LocalFree);
    if (!owner || !IsTrusted(owner, user) || !list)
        return false;
    for (DWORD index = 0; index < list->AceCount; ++index) {
        void* header = nullptr;
        if (!GetAce(list, index, &header) ||
            GrantsOthersWriting(static_cast<const ACE_HEADER*>(header), user))
            return false;
    }
    return true;
}

} // namespace

// A folder, not a link (junction or symbolic link) to somewhere else, that only the user may
// write to.
bool FolderIsPrivate(const std::string& folder)
{
    // Without the trailing separator, which would follow a link; a drive's root keeps its own.
    std::string path = folder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    const std::wstring widePath = WideFromUtf8(path);
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) && OnlyTheUserWrites(widePath);
}

} // namespace platform

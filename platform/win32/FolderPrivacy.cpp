#include "platform/FolderPrivacy.h"

#include "platform/win32/WideText.h"

// aclapi.h and sddl.h need the types of windows.h before them.
// clang-format off
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
// clang-format on

#include <memory>
#include <optional>
#include <vector>

namespace platform {
namespace {

// What lets somebody put a file into the folder, replace or change one in it, or give himself
// that right.
constexpr ACCESS_MASK WritingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD |
                                      DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                      GENERIC_ALL | MAXIMUM_ALLOWED;

// What lets somebody swap a folder on the way for another: remove or rename its entries or the
// folder itself, or give himself that right. Adding entries of his own is no such right (every
// user may add folders to the root of the system drive).
constexpr ACCESS_MASK SwappingRights =
    FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_ALL | MAXIMUM_ALLOWED;

// The service that owns the system's own folders, the root of the system drive among them.
constexpr wchar_t TrustedInstaller[] =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

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

bool IsTrustedInstaller(PSID sid)
{
    PSID installer = nullptr;
    if (!ConvertStringSidToSidW(TrustedInstaller, &installer))
        return false;
    const bool same = EqualSid(sid, installer) != FALSE;
    LocalFree(installer);
    return same;
}

// The user himself, and those who may do anything on the computer anyway.
bool IsTrusted(PSID sid, PSID user)
{
    return EqualSid(sid, user) || IsWellKnown(sid, WinLocalSystemSid) ||
           IsWellKnown(sid, WinBuiltinAdministratorsSid) || IsTrustedInstaller(sid);
}

// Whether an entry of the list gives somebody else one of the rights on the folder itself, or,
// when that counts, on the files and folders made in it. Rights given to their creator go to the
// user, who creates them.
bool GrantsOthers(const ACE_HEADER* header, PSID user, ACCESS_MASK rights, bool madeInsideCounts)
{
    switch (header->AceType) {
    case ACCESS_DENIED_ACE_TYPE:
        return false;
    case ACCESS_ALLOWED_ACE_TYPE: {
        if (!madeInsideCounts && (header->AceFlags & INHERIT_ONLY_ACE))
            return false;
        const auto* entry = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
        const PSID sid = const_cast<DWORD*>(&entry->SidStart);
        return (entry->Mask & rights) != 0 && !IsTrusted(sid, user) &&
               !IsWellKnown(sid, WinCreatorOwnerSid);
    }
    default:
        // Conditional and object entries are not understood here, so not trusted.
        return true;
    }
}

// The folder is the user's own (or the administrators'), and its access list gives nobody else
// any of the rights. A folder without a list is open to everybody.
bool NobodyElseHas(const std::wstring& path, ACCESS_MASK rights, bool madeInsideCounts)
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
            GrantsOthers(static_cast<const ACE_HEADER*>(header), user, rights, madeInsideCounts))
            return false;
    }
    return true;
}

// A folder itself, not a link (junction or symbolic link) to somewhere else.
bool IsPlainFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsSeparator(wchar_t character)
{
    return character == L'\\' || character == L'/';
}

// The folders on the way to the path: the root of its drive or share, then each folder below
// it down to the path's parent. Nothing for a path that is not absolute or goes up a folder.
std::optional<std::vector<std::wstring>> FoldersOnTheWay(const std::wstring& path)
{
    std::size_t start = 0;
    if (path.size() >= 3 && path[1] == L':' && IsSeparator(path[2])) {
        start = 3;
    } else if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        const std::size_t server = path.find_first_of(L"\\/", 2);
        const std::size_t share =
            server == std::wstring::npos ? server : path.find_first_of(L"\\/", server + 1);
        if (share == std::wstring::npos)
            return std::nullopt;
        start = share + 1;
    } else {
        return std::nullopt;
    }
    std::vector<std::wstring> folders{path.substr(0, start)};
    for (std::size_t end = path.find_first_of(L"\\/", start); end != std::wstring::npos;
         start = end + 1, end = path.find_first_of(L"\\/", start)) {
        const std::wstring name = path.substr(start, end - start);
        if (name == L"." || name == L"..")
            return std::nullopt;
        // Without the trailing separator, which would follow a link.
        if (!name.empty())
            folders.push_back(path.substr(0, end));
    }
    return folders;
}

} // namespace

bool FolderIsPrivate(const std::string& folder)
{
    // Without the trailing separator, which would follow a link; a drive's root keeps its own.
    std::string path = folder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    const std::wstring widePath = WideFromUtf8(path);
    if (!IsPlainFolder(widePath) || !NobodyElseHas(widePath, WritingRights, true))
        return false;
    const std::optional<std::vector<std::wstring>> onTheWay = FoldersOnTheWay(widePath);
    if (!onTheWay)
        return false;
    for (const std::wstring& above : *onTheWay)
        if (!IsPlainFolder(above) || !NobodyElseHas(above, SwappingRights, false))
            return false;
    return true;
}

} // namespace platform

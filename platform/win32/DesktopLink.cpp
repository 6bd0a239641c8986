#include "platform/DesktopLink.h"

#include "platform/win32/WideText.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

namespace platform {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface> struct Released
{
    Interface* pointer = nullptr;
    ~Released()
    {
        if (pointer)
            pointer->Release();
    }
};

bool SaveShellLink(const std::wstring& path, const ShellLink& link)
{
    Released<IShellLinkW> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink.pointer))))
        return false;
    shellLink.pointer->SetPath(WideFromUtf8(link.target).c_str());
    shellLink.pointer->SetArguments(WideFromUtf8(link.arguments).c_str());
    shellLink.pointer->SetWorkingDirectory(WideFromUtf8(link.workingFolder).c_str());
    Released<IPersistFile> file;
    if (FAILED(shellLink.pointer->QueryInterface(IID_IPersistFile,
                                                 reinterpret_cast<void**>(&file.pointer))))
        return false;
    return SUCCEEDED(file.pointer->Save(path.c_str(), TRUE));
}

} // namespace

// The value "Desktop" of the per-user "Shell Folders" key.
std::string DesktopFolder()
{
    wchar_t folder[MAX_PATH] = {};
    DWORD size = sizeof(folder);
    if (RegGetValueW(HKEY_CURRENT_USER,
                     L"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     L"Desktop", RRF_RT_REG_SZ, nullptr, folder, &size) != ERROR_SUCCESS)
        return {};
    return Utf8FromWide(folder, wcslen(folder));
}

std::string DesktopLinkPath(const std::string& folder, const std::string& title)
{
    return folder + "\\" + title + ".lnk";
}

// An empty or missing folder gets no link: "\title.lnk" would land in the drive's root.
bool CreateDesktopLink(const std::string& folder, const std::string& title, const ShellLink& link)
{
    const DWORD folderAttributes = GetFileAttributesW(WideFromUtf8(folder).c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES ||
        !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const std::wstring path = WideFromUtf8(DesktopLinkPath(folder, title));
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool saved = SaveShellLink(path, link);
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return saved;
}

// F5 to the desktop's icon view, when all three of its windows are found.
void RefreshDesktop()
{
    const HWND programManager = FindWindowW(L"Progman", L"Program Manager");
    const HWND view =
        programManager ? FindWindowExW(programManager, nullptr, L"SHELLDLL_DefView", L"") : nullptr;
    const HWND icons = view ? FindWindowExW(view, nullptr, L"SysListView32", L"") : nullptr;
    if (!icons)
        return;
    PostMessageW(icons, WM_KEYDOWN, VK_F5, 0);
    PostMessageW(icons, WM_KEYUP, VK_F5, static_cast<LPARAM>(0x80000000));
}

} // namespace platform

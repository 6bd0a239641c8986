#include "tests/platform/wine/LinkReader.h"

#include "platform/win32/WideText.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

using platform::Utf8FromWide;

namespace {

std::string Text(const wchar_t* text)
{
    return Utf8FromWide(text, wcslen(text));
}

std::optional<platform::ShellLink> Load(IShellLinkW& link, const std::wstring& path)
{
    IPersistFile* file = nullptr;
    if (FAILED(link.QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        return std::nullopt;
    const HRESULT loaded = file->Load(path.c_str(), STGM_READ);
    file->Release();
    if (FAILED(loaded))
        return std::nullopt;
    wchar_t target[MAX_PATH] = {};
    wchar_t arguments[1024] = {};
    wchar_t folder[MAX_PATH] = {};
    link.GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link.GetArguments(arguments, 1024);
    link.GetWorkingDirectory(folder, MAX_PATH);
    return platform::ShellLink{Text(target), Text(arguments), Text(folder)};
}

} // namespace

std::optional<platform::ShellLink> ReadShellLink(const std::string& path)
{
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    std::optional<platform::ShellLink> read;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        read = Load(*link, platform::WideFromUtf8(path));
        link->Release();
    }
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return read;
}

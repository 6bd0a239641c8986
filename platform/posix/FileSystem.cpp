#include "platform/FileSystem.h"

#include <cctype>
#include <filesystem>

namespace platform {

namespace {

// "C:\..." or "C:/...": a path on a Windows drive, a plain relative name here.
bool IsDrivePath(const std::string& path)
{
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::filesystem::path PathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

bool FileExists(const std::string& path)
{
    std::error_code error;
    return !IsDrivePath(path) && std::filesystem::is_regular_file(PathOf(path), error);
}

bool RemoveFile(const std::string& path)
{
    std::error_code error;
    return FileExists(path) && std::filesystem::remove(PathOf(path), error);
}

bool CopyFileOver(const std::string& from, const std::string& to)
{
    std::error_code error;
    return !IsDrivePath(from) && !IsDrivePath(to) &&
           std::filesystem::copy_file(PathOf(from), PathOf(to),
                                      std::filesystem::copy_options::overwrite_existing, error);
}

} // namespace platform

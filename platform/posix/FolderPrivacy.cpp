#include "platform/FolderPrivacy.h"

#include <climits>
#include <deque>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

// The system resolves no more links than this in one path either.
constexpr int MostLinks = 40;

bool OwnedByUserOrAdministrator(const struct stat& status)
{
    return status.st_uid == getuid() || status.st_uid == 0;
}

bool WritableByOthers(const struct stat& status)
{
    return (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// A folder in which a name is looked up on the way: others may add entries only where the
// sticky bit of the administrator's folder keeps them from removing or renaming those of others.
bool IsSafeOnTheWay(const std::string& folder)
{
    struct stat status
    {
    };
    if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        !OwnedByUserOrAdministrator(status))
        return false;
    const bool stickyOfAdministrator = (status.st_mode & S_ISVTX) != 0 && status.st_uid == 0;
    return !WritableByOthers(status) || stickyOfAdministrator;
}

std::deque<std::string> Components(const std::string& path)
{
    std::deque<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string Joined(const std::vector<std::string>& folders)
{
    std::string path;
    for (const std::string& folder : folders)
        path += '/' + folder;
    return path.empty() ? std::string("/") : path;
}

std::string LinkTarget(const std::string& link)
{
    std::vector<char> target(PATH_MAX + 1);
    const ssize_t length = readlink(link.c_str(), target.data(), target.size());
    if (length <= 0 || std::size_t(length) >= target.size())
        return {};
    return std::string(target.data(), std::size_t(length));
}

// Resolves the path as the system does, following links, and checks each folder in which a
// name is looked up. The answer is the path of the last entry, which is not followed when it is a
// link; empty when a folder on the way is not safe or the path cannot be resolved.
std::string ResolvedThroughSafeFolders(const std::string& path)
{
    std::deque<std::string> pending = Components(path);
    std::vector<std::string> resolved;
    int links = 0;
    while (!pending.empty()) {
        const std::string name = pending.front();
        pending.pop_front();
        if (name == ".")
            continue;
        if (name == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        if (!IsSafeOnTheWay(Joined(resolved)))
            return {};
        resolved.push_back(name);
        if (pending.empty())
            break;
        struct stat status
        {
        };
        if (lstat(Joined(resolved).c_str(), &status) != 0)
            return {};
        if (!S_ISLNK(status.st_mode))
            continue;
        const std::string target = LinkTarget(Joined(resolved));
        if (target.empty() || ++links > MostLinks)
            return {};
        resolved.pop_back();
        if (target.front() == '/')
            resolved.clear();
        const std::deque<std::string> targetParts = Components(target);
        pending.insert(pending.begin(), targetParts.begin(), targetParts.end());
    }
    return resolved.empty() ? std::string() : Joined(resolved);
}

std::string Absolute(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    std::vector<char> current(PATH_MAX + 1);
    if (getcwd(current.data(), current.size()) == nullptr)
        return {};
    return std::string(current.data()) + '/' + path;
}

} // namespace

bool FolderIsPrivate(const std::string& folder)
{
    const std::string path = ResolvedThroughSafeFolders(Absolute(folder));
    struct stat status
    {
    };
    return !path.empty() && lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           OwnedByUserOrAdministrator(status) && !WritableByOthers(status);
}

} // namespace platform

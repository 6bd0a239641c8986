#include "platform/FolderCleanup.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

char AsciiLower(char character)
{
    return character >= 'A' && character <= 'Z' ? char(character - 'A' + 'a') : character;
}

bool IsListed(const std::string& name, const std::vector<std::string>& names)
{
    return std::any_of(names.begin(), names.end(), [&name](const std::string& listed) {
        return std::equal(name.begin(), name.end(), listed.begin(), listed.end(),
                          [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    });
}

// The folder itself, never through a link at its name, when it is the user's own; -1 otherwise.
int OpenOwnFolder(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status
    {
    };
    if (descriptor >= 0 && fstat(descriptor, &status) == 0 && status.st_uid == getuid())
        return descriptor;
    if (descriptor >= 0)
        close(descriptor);
    return -1;
}

std::vector<std::string> NamesIn(int folder)
{
    std::vector<std::string> names;
    const int listing = dup(folder);
    DIR* entries = listing >= 0 ? fdopendir(listing) : nullptr;
    if (entries == nullptr) {
        if (listing >= 0)
            close(listing);
        return names;
    }
    while (const dirent* entry = readdir(entries))
        names.emplace_back(entry->d_name);
    closedir(entries);
    return names;
}

} // namespace

void RemoveFilesOfOwnFolder(const std::string& folder, const std::vector<std::string>& names)
{
    const int descriptor = OpenOwnFolder(folder);
    if (descriptor < 0)
        return;
    for (const std::string& name : NamesIn(descriptor)) {
        struct stat status
        {
        };
        if (IsListed(name, names) &&
            fstatat(descriptor, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode))
            unlinkat(descriptor, name.c_str(), 0);
    }
    close(descriptor);
}

} // namespace platform

#pragma once

#include <string>

namespace platform {

// A link that starts a program with arguments in a working folder.
struct ShellLink
{
    std::string target;
    std::string arguments;
    std::string workingFolder;
};

// The user's desktop folder, or empty when it cannot be told.
std::string DesktopFolder();

// The link's file in the folder: the title and the platform's extension for links.
std::string DesktopLinkPath(const std::string& folder, const std::string& title);

// Saves the link under the title in the folder unless a link of that name is there already
// (an existing one is left as it is, wherever it points). Yes when the link exists afterwards.
bool CreateDesktopLink(const std::string& folder, const std::string& title, const ShellLink& link);

// Lets the desktop show a new link at once; nothing where the desktop follows its folder itself.
void RefreshDesktop();

} // namespace platform

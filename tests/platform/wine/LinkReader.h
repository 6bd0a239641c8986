#pragma once

#include "platform/DesktopLink.h"

#include <optional>
#include <string>

// The target, arguments and working folder of a saved shell link, or nothing when it cannot be
// loaded.
std::optional<platform::ShellLink> ReadShellLink(const std::string& path);

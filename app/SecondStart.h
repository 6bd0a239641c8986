#pragma once

#include "SingleInstance.h"

#include <QStringList>
#include <optional>

// The command a later start hands to the running copy, read from its first argument (exact,
// case-sensitive): "C:\Windows\win.ini" shows the main screen; anything else, or no argument,
// is no command.
std::optional<platform::InstanceCommand> SecondStartCommand(const QStringList& arguments);

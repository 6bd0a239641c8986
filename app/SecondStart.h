#pragma once

#include "platform/SingleInstance.h"

#include <QString>
#include <QStringList>
#include <optional>

// WORKAROUND: the argument that brings the running copy's main screen up names a Windows file
// for history only. The desktop links of every version and the installer pass it, so it stays
// exactly as it is.
inline const QString ShowMainScreenArgument = QStringLiteral("C:\\Windows\\win.ini");

// The command a later start hands to the running copy, read from its first argument (exact,
// case-sensitive): ShowMainScreenArgument shows the main screen; anything else, or no argument,
// is no command.
std::optional<platform::InstanceCommand> SecondStartCommand(const QStringList& arguments);

#pragma once

#include "core/program/BuildDefaults.h"

#include <QtGlobal>
#include <algorithm>

// The version that a package must be newer than: the one recorded in the settings file, and
// never below the version of the program (or updater) that runs, so that an old signed package
// cannot be replayed, also not after the settings file was lost or on a fresh install.
inline qint64 VersionFloor(qint64 recorded)
{
    return std::max<qint64>(recorded, QUILLANE_PROGRAM_VERSION);
}

#pragma once

#include <QString>

namespace platform {

// The folder of the user's own where the running copy keeps its lock and its socket, and where
// the updater waits for its lock: the session's runtime folder (XDG_RUNTIME_DIR) when it is the
// user's and nobody else may write to it, else "Quillane" in the user's cache folder, made for
// the user alone. Never a folder that others share, where another user could take the names
// first and keep the program from starting.
QString UserRuntimeFolder();

// The running copy's lock file or socket in that folder (the suffix "lock" or "socket"), named
// with the user id.
QString InstancePath(const QString& suffix);

} // namespace platform

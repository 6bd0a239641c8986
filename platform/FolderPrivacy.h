#pragma once

#include <string>

namespace platform {

// Whether only the current user can have put files into the folder (UTF-8 path), so that what
// it holds may go into the program folder: a folder of the user's own, not a link, that nobody
// else may write to.
bool FolderIsPrivate(const std::string& folder);

} // namespace platform

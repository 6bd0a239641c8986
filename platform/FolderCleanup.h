#pragma once

#include <string>
#include <vector>

namespace platform {

// Removes the plain files of the folder (UTF-8 path) whose names are among the given ones (ASCII
// letters without regard to case), when the folder is the current user's own and not a link.
// Links, folders and everything else in it stay, and a folder that is a link, belongs to
// somebody else or is no folder is left alone as a whole. The work goes through the folder as it
// was found, so that a folder swapped for another one meanwhile is not touched. Failures are
// ignored.
void RemoveFilesOfOwnFolder(const std::string& folder, const std::vector<std::string>& names);

} // namespace platform

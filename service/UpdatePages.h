#pragma once

#include <optional>
#include <string>

// The update list and downloads from the update folder.

// One line per file of the folder: name, size in bytes and modification time
// "YYYY-MM-DD HH:MM:SS", separated by tabs, lines ended by CR LF.
std::string UpdateList(const std::string& folder);

// The path of the folder's file of that name (without regard to case); none for names that
// hold a separator or "..", and for files that do not exist.
std::optional<std::string> UpdateFile(const std::string& folder, const std::string& name);

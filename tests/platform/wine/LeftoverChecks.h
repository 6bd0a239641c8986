#pragma once

#include <string>

// The checks of what the update and the start-up remove. The folder (a Windows path) is the
// checks' own; its sub-folder 권한 holds the folders made on the Unix side (see the test).

// A read-only file of the update's own, which Windows refuses to delete as it is, is removed.
std::string ReadOnlyOwnFilesGo(const std::string& folder);

// The clean-up of the temporary folder removes plain files of the listed names in a folder of
// the user's own, and nothing through a link or in another user's folder.
std::string TemporaryFolderCleanUp(const std::string& folder);

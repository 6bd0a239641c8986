#pragma once

#include <string>

namespace platform {

// Whether only the current user (or the system's administrators) can have put files into the
// folder (UTF-8 path), so that what it holds may go into the program folder or be started: the
// folder is not a link, is the user's own (or the administrators'), and nobody else may write to
// it; and nobody else can swap it or a folder on its way from the root for another one: every
// folder that its path passes through, links followed, is the user's or the administrators',
// and others may at most add entries of their own to it (a sticky folder such as /tmp, or on
// Windows the right to create files and folders), never remove or rename entries, nor change who
// may. A path through a Windows link (junction or symbolic link) is not trusted.
bool FolderIsPrivate(const std::string& folder);

} // namespace platform

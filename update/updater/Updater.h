#pragma once

#include "ProgramConfig.h"

// The updater's work, once the program has handed over and ended: the files the package in the
// temporary folder brings replace the program's, and the program starts again.
//
// One updater runs at a time; a second one ends at once. Its staging folder lies beside the
// program folder (see UpdateStaging.h). It waits up to the limit for the old
// program to end and does nothing while it still runs. The files it replaces are exactly the
// top-level files of the update package ("QUILLANE_UPDATE.ZIP" in the temporary folder) as they
// were unpacked there, never other files left in the folder, and never the settings file
// "quillane.ini": it holds the pharmacy's registration and the version just recorded. The local
// database is replaced only when the package brings one. A temporary folder that other users
// could have written to is not trusted. The program is started whether or not the swap
// succeeded; the answer is whether the new files are in place.
bool RunUpdater(const ProgramConfig& config);

#pragma once

#include "core/program/ProgramConfig.h"

// The updater's work, once the program has handed over and ended: the files of the update
// package replace the program's, and the program starts again.
//
// It works only in the update's own folder, and only when that folder and the program folder are
// private (platform::FolderIsPrivate). One updater runs at a time; a second one ends at once. It
// waits up to the limit for the old program to end and does nothing while it still runs. It
// first undoes a swap that was cut off; while one cannot be undone, nothing new is swapped. It
// reads the package once and checks it itself (the signature of exactly these bytes under the
// build's key, for a version newer than the recorded one and than its own), then takes the files
// out of those bytes into its staging folder: nothing that another process put in a folder is
// installed. It replaces exactly the package's top-level files, never the settings file
// "quillane.ini", which holds the pharmacy's registration; the local database only when the
// package brings one. The swap is journaled (see UpdateSwap.h); the program records the new
// version at its next start. The program is started whether or not the swap succeeded; the
// answer is whether the new files are in place.
bool RunUpdater(const ProgramConfig& config);

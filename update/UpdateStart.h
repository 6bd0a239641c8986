#pragma once

// At the program's start, before anything else: a swap of the last update that was cut off is
// undone, and a committed one has its version recorded in the settings file; the backup of the
// last update goes, since a version that has started is in place. A swap that cannot be undone
// (or a journal that cannot be read) keeps its journal and backup for a later start. Nothing
// while an updater is at work in the update's folder.
void FinishLastUpdate();

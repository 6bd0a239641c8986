#pragma once

#include <QLockFile>

// Takes a lock file without waiting. A lock of a process that has ended counts as free: one whose
// process is gone, and one left empty because its process was killed (or the power cut) while
// it was being made, once it is older than a living process ever leaves it empty. A lock held by
// a living process is never taken, however old.
bool TakeLockFile(QLockFile& lock);

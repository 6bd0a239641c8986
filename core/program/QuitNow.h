#pragma once

#include <functional>

// Ends the process at once: the pending window messages are processed, then the process ends
// without the close sequence and without any report. Used when the program cannot go on (an
// unusable temporary folder) and by the update before the updater takes over.

using QuitNowHandler = std::function<void()>;

// Ends the process (or runs the installed handler, which returns; the caller then stops).
void QuitNow();

// Replaces the ending (a test's recorder); an empty handler restores the real one.
void SetQuitNowHandler(QuitNowHandler handler);

#pragma once

#include <functional>

// The program's fixed blocking waits (the connectivity retries, the pauses after the "off"
// reports, the update's one-second pauses). Real in the program; tests shorten them here.

using PauseHandler = std::function<void(int milliseconds)>;

// Blocks the calling thread for the given time (or whatever the installed handler does). An end
// of the session during the wait is handled at once, inside it.
void Pause(int milliseconds);

// Replaces the wait (a test's recorder); an empty handler restores the real sleep.
void SetPauseHandler(PauseHandler handler);

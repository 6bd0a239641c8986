#pragma once

#include <functional>

// The end of the process once the program has closed. The close may run inside a modal window,
// a message box or a wait, with steps of its opener still below it on the stack (a sign-in
// waiting for the basic-information window, a handler waiting for a notice). The process ends
// right there: none of those steps runs again, so nothing acts on a closed program and nothing
// that only a user's answer may write is written.

using ProcessEndHandler = std::function<void()>;

// Ends the process with exit code 0 (or runs the installed handler, which returns).
void EndProcess();

// Replaces the ending (a test's recorder); an empty handler restores the real one.
void SetProcessEndHandler(ProcessEndHandler handler);

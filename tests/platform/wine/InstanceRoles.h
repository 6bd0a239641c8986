#pragma once

#include <string>

// The parts of the single-instance hand-over, each played by a process of its own.

// How the running copy spends its first 20 seconds after it is ready.
enum class FirstCopyStart
{
    Idle,       // taking messages at once
    Busy,       // its thread blocked in other work (Sleep)
    InFixedWait // in one of the program's fixed waits
};

// The running copy: claims the instance and prints "ready"; when busy or in a fixed wait, it
// prints "awake" 20 seconds later. It prints each request and session message as it arrives
// ("ShowMainScreen", "User", "TrayMenu", "TrayDoubleClick", "query", "end") and returns 0 at the
// end of the session; 2 when another copy runs, 3 when the session does not end within a minute.
int RunFirstCopy(FirstCopyStart start);

// A later start with the command "SHOW" or "POS": prints "first" or "second" as the claim went
// and, when second, hands the command over. 0, or 2 for an unknown command.
int RunLaterStart(const std::string& command);

// A tray host notifying the running copy's window of a right button press, a mouse move (no
// request) and a left double click. 0 when the window was found.
int NotifyLikeTheTray();

// The system ending the session: asks the running copy's window, prints its answer ("yes" or
// "no"), then tells it the session ends. 0 when the window was found and answered yes.
int EndSession();

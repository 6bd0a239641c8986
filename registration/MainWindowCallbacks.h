#pragma once

#include <functional>

// What the basic-information window asks of the main window after a registration; the main
// window sets these when it is made and clears them when it goes.
struct MainWindowCallbacks
{
    // The main window's sign-in with the values just stored.
    std::function<void()> signIn;
    // The tray picture of the presence state (0 off).
    std::function<void(int index)> setTrayPicture;
};

inline MainWindowCallbacks MainWindowOfBasicInfo;

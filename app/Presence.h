#pragma once

// Whether somebody is at the check computer, as last reported to the service; the tray picture
// shows it. The values are the tray pictures' indexes (grey, pale yellow, cyan).
enum class Presence
{
    Off,     // "off" reported last, nothing reported yet, or the sign-in refused
    Waiting, // "wai" reported last, or the sign-in answer could not be used
    On,      // "on" reported last
};

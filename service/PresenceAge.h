#pragma once

#include <QDateTime>
#include <string>

// The program repeats its presence report every 30 minutes; a last report older than this is no
// longer taken as the pharmacy's state.
inline constexpr int PresenceFreshMinutes = 35;

// What the listing says about a pharmacy's presence: a style class and a text.
struct PresenceView
{
    std::string style; // "on", "wai", "off" or "none"
    std::string text;
};

// The last reported state ("on", "wai", "off") received at the given time (empty: never), as it
// stands now: "근무중", "자리비움" or "프로그램 종료" with the report's time while fresh; once
// stale, since when nothing came.
PresenceView ShownPresence(const std::string& state, const std::string& received, QDateTime now);

#pragma once

#include <string>
#include <string_view>

// Times on the half-hour grid of the working-hours pages: "00:00" to "30:00", where "24:30" is
// half past midnight and "25:00" to "30:00" are 01:00 to 06:00 of the next day.

// True for "HH:MM" with MM "00" or "30" and at most latest ("24:00" for starts, "30:00" for ends).
bool IsGridTime(std::string_view text, std::string_view latest = "30:00");

// An end as the lists show it: "익일 1시" ... "익일 6시" (with " 30분") become "25:00" ... "30:00";
// other text comes back unchanged.
std::string NextDayLabelAsTime(std::string_view text);

// True for a valid calendar date written "YYYY-MM-DD".
bool IsIsoDate(std::string_view text);

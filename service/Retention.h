#pragma once

#include "service/ServiceStore.h"

#include <QDateTime>
#include <chrono>
#include <functional>
#include <string>

// How long the request log and the presence history keep their rows unless told otherwise.
inline constexpr double DefaultKeepDays = 30;

// Rows are removed this many at a time per table, so that reports never wait long behind them.
inline constexpr int PruneChunk = 500;

// Removes rows of the request log and the presence history from before cutoff ("YYYY-MM-DD
// HH:MM:SS", the service's clock), at most limit of each, oldest first; true when a table may
// hold more of them.
bool PruneOldRows(sqlite3* db, const std::string& cutoff, int limit);

// Has the store's writer prune, every interval and while old rows remain, the rows older than
// window by the clock now.
void KeepRecentRows(ServiceStore& store, std::function<QDateTime()> now,
                    std::chrono::milliseconds window,
                    std::chrono::milliseconds interval = std::chrono::seconds(1));

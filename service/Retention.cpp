#include "service/Retention.h"

#include "service/Statement.h"

namespace {

// Deletes among the table's oldest rows those whose time column is before cutoff; true when it
// deleted as many as it may.
bool PruneTable(sqlite3* db, const char* sql, const std::string& cutoff, int limit)
{
    Statement(db, sql).Bind(1, cutoff).Bind(2, std::int64_t{limit}).Run();
    return sqlite3_changes(db) >= limit;
}

} // namespace

bool PruneOldRows(sqlite3* db, const std::string& cutoff, int limit)
{
    const bool moreRequests = PruneTable(
        db,
        "DELETE FROM requests WHERE id IN (SELECT id FROM requests ORDER BY id LIMIT ?2) "
        "AND time < ?1",
        cutoff, limit);
    const bool moreReports =
        PruneTable(db,
                   "DELETE FROM presence_history WHERE id IN "
                   "(SELECT id FROM presence_history ORDER BY id LIMIT ?2) AND received < ?1",
                   cutoff, limit);
    return moreRequests || moreReports;
}

void KeepRecentRows(ServiceStore& store, std::function<QDateTime()> now,
                    std::chrono::milliseconds window, std::chrono::milliseconds interval)
{
    store.SetHousekeeping(
        [now = std::move(now), window](sqlite3* db) {
            const QDateTime cutoff = now().addMSecs(-window.count());
            return PruneOldRows(db, cutoff.toString("yyyy-MM-dd HH:mm:ss").toStdString(),
                                PruneChunk);
        },
        interval);
}

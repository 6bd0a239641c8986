#include "service/WeeklyRecords.h"

#include "service/AnswerPage.h"
#include "service/Statement.h"

const std::vector<std::string>& UnregisteredWeek()
{
    static const std::vector<std::string> records{":", ":", "",  ":", ":", ":", ":",
                                                  ":", ":", ":", ":", ":", ":", "0"};
    return records;
}

std::vector<std::string> StoredWeek(sqlite3* db, const std::string& license)
{
    Statement row(db, "SELECT records FROM weekly WHERE license = ?1");
    row.Bind(1, license);
    if (!row.Step())
        return UnregisteredWeek();
    std::vector<std::string> records = SplitRecords(row.Text(0));
    return records.size() == UnregisteredWeek().size() ? records : UnregisteredWeek();
}

std::string JoinedWeek(const std::vector<std::string>& records)
{
    std::string text;
    for (std::size_t i = 0; i < records.size(); ++i)
        text += (i ? "]" : "") + records[i];
    return text;
}

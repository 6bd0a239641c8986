#include "service/Pages.h"
#include "service/Statement.h"

#include <QString>

// Computer names compare without regard to case, as on Windows.
static bool SameComputer(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// "Y": registered with this check computer; "N": registered, another or no check computer;
// "Z": nothing registered under the licence.
PageAnswer SignInPage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("P_PALICENSE");
    const std::string comName = form.Value("P_COMNAME");
    char answer = 'Z';
    context.store.Read([&](sqlite3* db) {
        Statement row(db, "SELECT comname FROM registrations WHERE license = ?1");
        row.Bind(1, license);
        if (row.Step())
            answer = !comName.empty() && SameComputer(row.Text(0), comName) ? 'Y' : 'N';
    });
    std::string forward = "/Quillane/";
    forward.append(SignInResultPage).append("?answer=").push_back(answer);
    return {{}, forward, {}};
}

// Keeps the last state per pharmacy and the history, flags trimmed, when the report comes from
// the pharmacy's registered check computer; the answer is "Y" either way.
PageAnswer PresencePage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("P_PALICENSE");
    const std::string comName = form.Value("P_COMNAME");
    const std::string sentTime = form.Value("P_SENDTIME");
    const std::string state = form.Value("P_Flg");
    const std::string received = context.NowText();
    bool fromCheckComputer = false;
    context.store.Write([&](sqlite3* db) {
        Statement registered(db, "SELECT comname FROM registrations WHERE license = ?1");
        registered.Bind(1, license);
        fromCheckComputer =
            registered.Step() && !comName.empty() && SameComputer(registered.Text(0), comName);
        if (!fromCheckComputer)
            return;
        Statement(db, "INSERT INTO presence_history (license, comname, state, sent_time, received)"
                      " VALUES (?1, ?2, ?3, ?4, ?5)")
            .Bind(1, license)
            .Bind(2, comName)
            .Bind(3, state)
            .Bind(4, sentTime)
            .Bind(5, received)
            .Run();
        Statement(db, "INSERT INTO presence (license, comname, state, sent_time, received) "
                      "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (license) DO UPDATE SET "
                      "comname = ?2, state = ?3, sent_time = ?4, received = ?5")
            .Bind(1, license)
            .Bind(2, comName)
            .Bind(3, state)
            .Bind(4, sentTime)
            .Bind(5, received)
            .Run();
    });
    if (!fromCheckComputer)
        return {"Y", {}, "refused: not the pharmacy's registered check computer"};
    return {"Y", {}, {}};
}

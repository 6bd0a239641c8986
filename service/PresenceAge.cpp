#include "service/PresenceAge.h"

PresenceView ShownPresence(const std::string& state, const std::string& received, QDateTime now)
{
    const QDateTime at =
        QDateTime::fromString(QString::fromStdString(received), "yyyy-MM-dd HH:mm:ss");
    if (!at.isValid())
        return {"none", "보고 없음"};
    const std::string since = at.toString("yyyy-MM-dd HH:mm").toStdString();
    if (at.secsTo(now) > PresenceFreshMinutes * 60)
        return {"none", since + " 이후 보고 없음"};
    const std::string last = " (" + at.toString("HH:mm").toStdString() + " 보고)";
    if (state == "on")
        return {"on", "근무중" + last};
    if (state == "wai")
        return {"wai", "자리비움" + last};
    if (state == "off")
        return {"off", "프로그램 종료" + last};
    return {"none", "알 수 없는 상태" + last};
}

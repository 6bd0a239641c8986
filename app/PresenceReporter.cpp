#include "app/PresenceReporter.h"

#include "core/program/Pharmacy.h"
#include "core/program/Trimmed.h"
#include "core/requests/FormEncoding.h"

#include <QDateTime>

namespace {

const QString PresencePage = QStringLiteral("TimeCheck.asp");
constexpr int TickIntervalMs = 1000;

// Every 30 minutes of ticks a periodic report is due; 30 minutes without input is idle.
constexpr int PeriodicReportTicks = 1800;
constexpr std::uint32_t IdleLimitSeconds = 1800;

// The flag each state is reported with.
QString Flag(Presence state)
{
    switch (state) {
    case Presence::On:
        return QStringLiteral("on");
    case Presence::Waiting:
        return QStringLiteral("wai");
    case Presence::Off:
        break;
    }
    return QStringLiteral("off");
}

} // namespace

PresenceReporter::PresenceReporter(const Pharmacy& pharmacy, QObject* parent)
    : QObject(parent), pharmacy_(pharmacy)
{
    timer_.setObjectName(QStringLiteral("presenceTimer"));
    timer_.setInterval(TickIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &PresenceReporter::Tick);
    idleSeconds_ = [] { return std::uint32_t{0}; };
}

void PresenceReporter::SetIdleSeconds(std::function<std::uint32_t()> idleSeconds)
{
    idleSeconds_ = std::move(idleSeconds);
}

void PresenceReporter::Report(Presence state)
{
    const QString body =
        QStringLiteral("P_COMNAME =") + FormValue(Trimmed(pharmacy_.checkComputer)) +
        QStringLiteral("&P_PALICENSE =") + FormValue(Trimmed(pharmacy_.license)) +
        QStringLiteral("&P_SENDTIME =") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
        QStringLiteral("&P_Flg = ") + Flag(state);
    PostPage(reports_, PresencePage, body);
}

void PresenceReporter::SetState(Presence state)
{
    state_ = state;
    emit StateChanged(state);
}

void PresenceReporter::Start()
{
    if (!timer_.isActive())
        timer_.start();
}

void PresenceReporter::Stop()
{
    timer_.stop();
}

void PresenceReporter::Tick()
{
    ++ticks_;
    if (!signInAccepted_)
        return;
    if (Trimmed(pharmacy_.checkComputer).isEmpty()) {
        SetState(Presence::Waiting);
        return;
    }
    const std::uint32_t idle = idleSeconds_();
    if (ticks_ >= PeriodicReportTicks) {
        PeriodicReport(idle);
        ticks_ = 0;
    } else if (idle == 0 && state_ != Presence::On) {
        ReportAndShow(Presence::On);
        ticks_ = 0;
    }
}

// On while input came within the limit; otherwise one step down per report, on to waiting to
// off. Once off, a still idle user gets no further report: the service has "off" already.
void PresenceReporter::PeriodicReport(std::uint32_t idle)
{
    if (idle < IdleLimitSeconds)
        ReportAndShow(Presence::On);
    else if (state_ == Presence::On)
        ReportAndShow(Presence::Waiting);
    else if (state_ == Presence::Waiting)
        ReportAndShow(Presence::Off);
}

void PresenceReporter::ReportAndShow(Presence state)
{
    Report(state);
    SetState(state);
}

#pragma once

#include "app/Presence.h"
#include "core/requests/WebBrowser.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

struct Pharmacy;

// Tells the service ("TimeCheck.asp") whether somebody is at the check computer: "on" while the
// keyboard or mouse is in use, "wai" after 30 minutes without input, "off" after 30 more and when
// the program ends. The answers are never looked at: a lost report is followed by the next one.
// The timer ticks once a second from the first accepted sign-in on; a tick reports nothing while
// the last sign-in answer is not exactly "Y".
class PresenceReporter : public QObject
{
    Q_OBJECT

public:
    // The reports name the pharmacy's check computer and licence as they are at each report.
    explicit PresenceReporter(const Pharmacy& pharmacy, QObject* parent = nullptr);

    // Whole seconds since the last keyboard or mouse input; 0 until set.
    void SetIdleSeconds(std::function<std::uint32_t()> idleSeconds);

    // Posts a report of the state with the current local time.
    void Report(Presence state);

    // The state last reported, which the tray shows. Setting it reports nothing.
    Presence State() const { return state_; }
    void SetState(Presence state);

    // Whether the last sign-in answer was exactly "Y": only then do the ticks report.
    void SetSignInAccepted(bool accepted) { signInAccepted_ = accepted; }

    // Starting the running timer leaves it as it is, its count of ticks included.
    void Start();
    void Stop();

    // One tick: the periodic report every 1800 ticks, and "on" at once for a user who is back.
    void Tick();
    // Ticks since the last report that reset the count.
    int TicksSinceReport() const { return ticks_; }
    void SetTicksSinceReport(int ticks) { ticks_ = ticks; }

signals:
    void StateChanged(Presence state);

private:
    void PeriodicReport(std::uint32_t idle);
    void ReportAndShow(Presence state);

    const Pharmacy& pharmacy_;
    WebBrowser reports_{QStringLiteral("presenceReports"), this};
    QTimer timer_{this};
    std::function<std::uint32_t()> idleSeconds_;
    Presence state_ = Presence::Off;
    int ticks_ = 0;
    bool signInAccepted_ = false;
};

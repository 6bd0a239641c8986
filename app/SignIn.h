#pragma once

#include "core/requests/WebBrowser.h"
#include "hours/UpcomingHoliday.h"

#include <QObject>
#include <QPointer>

class PresenceReporter;
class QSqlQuery;
class BasicInfoWindow;

// The pharmacy's sign-in with the service ("ComCheck2.asp") and its answer, which decides what
// follows: "Y" for a check computer starts the presence reports and the upcoming-holiday check,
// "Z" (a computer the service does not know) shows the notice and the basic-information window.
class SignIn : public QObject
{
    Q_OBJECT

public:
    explicit SignIn(PresenceReporter& presence, QObject* parent = nullptr);

    // Reads the basic information from the settings file and posts it. At the first start the
    // basic-information window comes first, modally.
    void Send();

    // The answer: the address the page completed at and its text. Any failure ends the handling
    // where it happens.
    void AnswerArrived(const QString& url, const QString& text);

    // The query on the local database that the upcoming-holiday check runs; none finds nothing.
    void SetHolidayQuery(QSqlQuery* query) { holidayQuery_ = query; }

private:
    void HandleAnswer(const QString& url, const QString& text);
    void Accepted();
    void UnknownComputer();
    void ShowBasicInfoModally();

    PresenceReporter& presence_;
    WebBrowser request_{QStringLiteral("signInRequest"), this};
    UpcomingHolidayCheck holidayCheck_; // remembers the reminder answer it read last
    QSqlQuery* holidayQuery_ = nullptr;
    // The basic-information window that this sign-in opened modally, while it is open.
    QPointer<BasicInfoWindow> basicInfoOpenedHere_;
};

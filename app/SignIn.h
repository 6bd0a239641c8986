#pragma once

#include "core/requests/WebBrowser.h"
#include "hours/UpcomingHoliday.h"

#include <QObject>
#include <QPointer>

class DataWindows;
class PresenceReporter;
struct Pharmacy;
class QSqlQuery;
class BasicInfoWindow;

// The pharmacy's sign-in with the service ("ComCheck2.asp") and its answer, which decides what
// follows: "Y" for a check computer starts the presence reports and the upcoming-holiday check,
// "Z" (a computer the service does not know) shows the notice and the basic-information window.
class SignIn : public QObject
{
    Q_OBJECT

public:
    // The sign-in reads the pharmacy from the settings file into pharmacy; the windows it opens
    // come from windows.
    SignIn(Pharmacy& pharmacy, PresenceReporter& presence, DataWindows& windows,
           QObject* parent = nullptr);

    // Reads the basic information from the settings file and posts it. At the first start the
    // basic-information window comes first, modally.
    void Send();

    // The answer: the address the page completed at and its text. Any failure ends the handling
    // where it happens.
    void AnswerArrived(const QString& url, const QString& text);

    // The query on the local database that the upcoming-holiday check runs; none finds nothing.
    void SetHolidayQuery(QSqlQuery* query) { holidayQuery_ = query; }

    // The text of the last usable answer, untrimmed; empty before the first one and after an
    // unusable one.
    const QString& Answer() const { return answer_; }

private:
    void HandleAnswer(const QString& url, const QString& text);
    void Accepted();
    void UnknownComputer();
    void ShowBasicInfoModally();

    Pharmacy& pharmacy_;
    PresenceReporter& presence_;
    DataWindows& windows_;
    WebBrowser request_{QStringLiteral("signInRequest"), this};
    UpcomingHolidayCheck holidayCheck_; // remembers the reminder answer it read last
    QSqlQuery* holidayQuery_ = nullptr;
    QString answer_;
    // The basic-information window that this sign-in opened modally, while it is open.
    QPointer<BasicInfoWindow> basicInfoOpenedHere_;
};

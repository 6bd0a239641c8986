#pragma once

#include "hours/WeeklyHoursControls.h"

#include <QDate>
#include <QObject>

class WebBrowser;

// The single Sundays of the weekly window: dates on which the pharmacy works, each with a start
// and an end, kept by the service page "SunDay.asp". Its requests go through the browser control
// "sundayRequests", independent of the weekly hours' own; every answer is the whole list. Object
// name "specificSundays".
class SpecificSundays : public QObject
{
    Q_OBJECT

public:
    SpecificSundays(const SpecificSundaysControls& controls, QObject* parent);

    // Puts the date box on the next Sunday and asks for the list. The licence number goes with
    // this request and with the section's saves and deletes until the next fetch.
    void Fetch(const QString& license);

    // The page handling of the list, given the completed page's address and text.
    void AnswerArrived(const QString& url, const QString& text);

private:
    void SaveSunday();
    void DeleteSunday();
    void ReadItemBack();
    void PageCompleted(const QString& url);

    SpecificSundaysControls ui_;
    WebBrowser* requests_;
    QString license_;
};

// Where the date box starts: today when it is a Sunday, else the coming Sunday.
QDate NextSunday();

#pragma once

#include "service/HolidayCalendar.h"
#include "service/ServiceStore.h"

#include <QDateTime>
#include <functional>
#include <string>

// What the pages work with: the store, the holiday calendar, the update folder and the clock.
struct ServiceContext
{
    ServiceStore& store;
    HolidayCalendar calendar;
    std::string updateDir;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    QDate Today() const { return now().date(); }
    std::string NowText() const { return now().toString("yyyy-MM-dd HH:mm:ss").toStdString(); }
};

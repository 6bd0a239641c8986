#pragma once

#include "resources/DayHoursPictures.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

// Where the controls of every row stand, from the left, and how wide the wide ones are.
struct DayHoursColumns
{
    int name;
    int box;
    int start;
    int startWidth;
    int from;
    int end;
    int endWidth;
    int to;
    int date;
    int dateWidth;
};

// What tells the legal-holiday window and the festival window apart.
struct DayHoursSetup
{
    QString caption;
    QSize clientSize;
    DayHoursHeading heading; // whose background the window shows
    QString page;            // the service page of both requests
    std::vector<int> rowTops;
    QStringList designCaptions; // the name labels' captions before a record fills them
    int fetchRows;              // the rows whose empty fields the fetch carries
    bool oneFestival;           // show only the records named as the first one shown
    QString savedMessage;
    DayHoursColumns columns;
    QPoint headerAt; // "근무유무" above the working boxes
    int closeBarTop;
};

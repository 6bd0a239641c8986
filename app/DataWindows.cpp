#include "app/DataWindows.h"

#include "core/program/DataWindow.h"
#include "core/program/ModalDialog.h"
#include "hours/FestivalHoursWindow.h"
#include "hours/LegalHolidayWindow.h"
#include "hours/WeeklyHoursWindow.h"
#include "registration/BasicInfoWindow.h"

DataWindows::DataWindows(Pharmacy& pharmacy, QObject* parent) : QObject(parent), pharmacy_(pharmacy)
{
}

DataWindows::~DataWindows()
{
    delete basicInfo_;
    delete weeklyHours_;
    delete legalHolidayHours_;
    delete festivalHours_;
}

void DataWindows::OpenBasicInfo()
{
    if (basicInfo_.isNull())
        basicInfo_ = NewBasicInfoWindow();
    ShowDataWindow(*basicInfo_);
}

void DataWindows::OpenWeeklyHours()
{
    if (weeklyHours_.isNull())
        weeklyHours_ = NewWeeklyHoursWindow();
    ShowDataWindow(*weeklyHours_);
}

void DataWindows::OpenLegalHolidayHours()
{
    ShowDataWindow(legalHolidayHours_);
}

void DataWindows::OpenFestivalHours()
{
    ShowDataWindow(festivalHours_);
}

BasicInfoWindow* DataWindows::NewBasicInfoWindow()
{
    auto* window = new BasicInfoWindow(pharmacy_);
    connect(window, &BasicInfoWindow::CheckComputerRegistered, this,
            &DataWindows::CheckComputerRegistered);
    connect(window, &BasicInfoWindow::SignInRequested, this, &DataWindows::SignInRequested);
    connect(window, &BasicInfoWindow::WeeklyHoursRequested, this,
            &DataWindows::OpenFreshWeeklyHours);
    return window;
}

void DataWindows::ShowFestivalHoursModally()
{
    festivalHours_ = new FestivalHoursWindow;
    ShowModal(*festivalHours_);
    delete festivalHours_;
}

WeeklyHoursWindow* DataWindows::NewWeeklyHoursWindow()
{
    auto* window = new WeeklyHoursWindow;
    connect(window, &WeeklyHoursWindow::LegalHolidayHoursRequested, this,
            &DataWindows::OpenFreshLegalHolidayHours);
    return window;
}

// After a registration the weekly-hours window comes fresh, in place of any earlier one.
void DataWindows::OpenFreshWeeklyHours()
{
    if (!weeklyHours_.isNull())
        weeklyHours_->deleteLater();
    weeklyHours_ = nullptr;
    OpenWeeklyHours();
}

// After a weekly save a fresh legal-holiday window becomes the one reused, centred and modeless;
// an earlier one stays open until it is closed.
void DataWindows::OpenFreshLegalHolidayHours()
{
    legalHolidayHours_ = new LegalHolidayWindow;
    ShowDataWindow(legalHolidayHours_);
}

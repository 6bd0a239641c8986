#pragma once

#include <QObject>
#include <QPointer>

class BasicInfoWindow;
class FestivalHoursWindow;
class LegalHolidayWindow;
class WeeklyHoursWindow;
struct Pharmacy;

// The data-entry windows that the main window, the tray and the sign-in open: one of each kind,
// created on demand, centred and shown modeless, brought to the front when asked again. Where a
// window asks for another (the weekly window after a save, the basic information after a
// registration, the festival reminder's 근무), the request comes here; a registration's requests
// of the main window pass on. The windows have no parent; the ones still held go with this owner.
class DataWindows : public QObject
{
    Q_OBJECT

public:
    explicit DataWindows(Pharmacy& pharmacy, QObject* parent = nullptr);
    ~DataWindows() override;

    void OpenBasicInfo();
    void OpenWeeklyHours();
    void OpenLegalHolidayHours();
    void OpenFestivalHours();

    // A basic-information window of its own, for the sign-in to show modally and delete; its
    // requests come here as the reused window's do.
    BasicInfoWindow* NewBasicInfoWindow();

    // A fresh festival window shown modally and destroyed after: the next opening creates another.
    void ShowFestivalHoursModally();

signals:
    // A basic-information window's registration asks the main window for these.
    void CheckComputerRegistered();
    void SignInRequested();

private:
    WeeklyHoursWindow* NewWeeklyHoursWindow();
    void OpenFreshWeeklyHours();
    void OpenFreshLegalHolidayHours();

    Pharmacy& pharmacy_;
    QPointer<BasicInfoWindow> basicInfo_;
    QPointer<WeeklyHoursWindow> weeklyHours_;
    QPointer<LegalHolidayWindow> legalHolidayHours_;
    QPointer<FestivalHoursWindow> festivalHours_;
};

#include "hours/ReminderAnswer.h"

#include "core/program/Quillane_Define.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"

void StoreReminderAnswer(ReminderButton answer)
{
    WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::Festival,
                   SettingsKeys::ReminderAnswered,
                   answer == ReminderButton::Later ? QString() : UpcomingHolidayDay);
}

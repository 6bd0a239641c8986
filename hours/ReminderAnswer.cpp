#include "ReminderAnswer.h"

#include "Quillane_Define.h"
#include "Settings.h"
#include "SettingsKeys.h"

void StoreReminderAnswer(ReminderButton answer)
{
    WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::Festival,
                   SettingsKeys::ReminderAnswered,
                   answer == ReminderButton::Later ? QString() : UpcomingHolidayDay);
}

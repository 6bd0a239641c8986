#include "ReminderAnswer.h"

#include "ProgramValues.h"
#include "Settings.h"
#include "SettingsKeys.h"

void StoreReminderAnswer(ReminderButton answer, const QString& holidayDay)
{
    WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::Festival,
                   SettingsKeys::ReminderAnswered,
                   answer == ReminderButton::Later ? QString() : holidayDay);
}

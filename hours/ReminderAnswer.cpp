#include "hours/ReminderAnswer.h"

#include "core/program/ProgramValues.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"

void StoreReminderAnswer(ReminderButton answer, const QString& holidayDay)
{
    WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::Festival,
                   SettingsKeys::ReminderAnswered,
                   answer == ReminderButton::Later ? QString() : holidayDay);
}

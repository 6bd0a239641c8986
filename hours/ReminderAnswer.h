#pragma once

#include "resources/ReminderPictures.h"

#include <QString>

// Stores a reminder's answer in "알림체크" of "명절", the one key both reminders share: 근무 and
// 휴무 store the holiday's date, so that the reminder does not come back for that holiday;
// 나중알림 stores the empty text, so that the next check asks again.
void StoreReminderAnswer(ReminderButton answer, const QString& holidayDay);

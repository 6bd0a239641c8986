#pragma once

#include <QString>

// Qt's own texts in Korean, as on a Korean Windows: the standard buttons of the message boxes
// (확인, 예, 아니요), the calendar of the date picker (2026년 12월) and the context menus of the
// text boxes. They come from the Korean locale and from Qt's translation "qtbase_ko.qm" in the
// program folder; without that file the texts stay as Qt has them.
void UseKoreanQtTexts(const QString& programFolder);

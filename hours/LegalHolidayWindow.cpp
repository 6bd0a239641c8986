#include "hours/LegalHolidayWindow.h"

#include "resources/PictureFont.h"

#include <QLabel>

namespace {

DayHoursSetup LegalHolidaySetup()
{
    return {
        .caption = QStringLiteral("초록우체통 공휴일"),
        .clientSize = QSize(500, 600),
        .heading = DayHoursHeading::LegalHolidays,
        .page = QStringLiteral("holiday.asp"),
        .rowTops = {163, 197, 232, 268, 305, 341, 376, 411, 444},
        .designCaptions = {QStringLiteral("신  정 :"), QStringLiteral("삼일절 :"),
                           QStringLiteral("어린이날 :"), QStringLiteral("석가탄신일:"),
                           QStringLiteral("현충일 :"), QStringLiteral("광복절 :"),
                           QStringLiteral("개천절 :"), QStringLiteral("한글날 :"),
                           QStringLiteral("성탄절 :")},
        .fetchRows = 5,
        .oneFestival = false,
        .savedMessage = QStringLiteral("법정 공휴일 데이터가 저장되었습니다"),
        .columns = {.name = 14,
                    .box = 107,
                    .start = 125,
                    .startWidth = 71,
                    .from = 199,
                    .end = 226,
                    .endWidth = 132,
                    .to = 360,
                    .date = 385,
                    .dateWidth = 101},
        .headerAt = QPoint(101, 140),
        .closeBarTop = 572,
    };
}

// One line of the red note under the rows.
void AddNote(QWidget* window, const QString& name, const QString& text, int top)
{
    auto* note = new QLabel(text, window);
    note->setObjectName(name);
    note->setFont(PictureFont(12));
    note->setStyleSheet(QStringLiteral("color: red;"));
    note->move(50, top);
    note->adjustSize();
}

} // namespace

LegalHolidayWindow::LegalHolidayWindow(QWidget* parent)
    : DayHoursWindow(LegalHolidaySetup(), parent)
{
    // A legal holiday that falls on a Sunday or a festival has no row.
    AddNote(this, QStringLiteral("hiddenRowsNote"),
            QStringLiteral("법정공휴일이 다른 휴일(일요일,명절)과 겹치는 경우는 설정창이"), 487);
    AddNote(this, QStringLiteral("hiddenRowsNoteEnd"), QStringLiteral("보이지 않습니다."), 505);
    setAttribute(Qt::WA_DeleteOnClose);
}

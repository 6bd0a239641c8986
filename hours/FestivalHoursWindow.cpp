#include "hours/FestivalHoursWindow.h"

namespace {

constexpr int Rows = 10;
constexpr int FirstRowTop = 165;
constexpr int RowPitch = 32;

std::vector<int> RowTops()
{
    std::vector<int> tops;
    for (int i = 0; i < Rows; ++i)
        tops.push_back(FirstRowTop + i * RowPitch);
    return tops;
}

DayHoursSetup FestivalSetup()
{
    return {
        .caption = QStringLiteral("초록우체통 명절 근무시간"),
        .clientSize = QSize(499, 599),
        .heading = DayHoursHeading::Festival,
        .page = QStringLiteral("festival1.asp"),
        .rowTops = RowTops(),
        .designCaptions = QStringList(Rows, QStringLiteral("설날")),
        .fetchRows = Rows,
        .oneFestival = true,
        .savedMessage = QStringLiteral("명절 근무시간 데이터가 저장되었습니다"),
        .columns = {.name = 35,
                    .box = 85,
                    .start = 105,
                    .startWidth = 69,
                    .from = 175,
                    .end = 200,
                    .endWidth = 132,
                    .to = 334,
                    .date = 362,
                    .dateWidth = 101},
        .headerAt = QPoint(79, 140),
        .closeBarTop = 573,
    };
}

} // namespace

FestivalHoursWindow::FestivalHoursWindow(QWidget* parent) : DayHoursWindow(FestivalSetup(), parent)
{
}

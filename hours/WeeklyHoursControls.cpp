#include "hours/WeeklyHoursControls.h"

#include "core/program/PictureButton.h"
#include "core/program/TimeSlots.h"
#include "core/program/WindowFonts.h"
#include "hours/TimeListPopup.h"
#include "resources/WeeklyHoursPictures.h"

#include <QDialog>

// The controls are made in the order in which the Tab key visits them and in which they stack:
// where two meet, the later one lies above.

namespace {

// Columns from the left and the height of a row's lists.
constexpr int CaptionLeft = 43;
constexpr int WeekCaptionLeft = 124;
constexpr int BoxLeft = 176;
constexpr int StartLeft = 195;
constexpr int StartWidth = 75;
constexpr int FromLeft = 274;
constexpr int EndLeft = 301;
constexpr int EndWidth = 132;
constexpr int ToLeft = 438;
constexpr int ListHeight = 22;
constexpr int RowTops[] = {157, 183, 209, 256, 298, 325, 352, 379, 406};
constexpr int OperationTop = 434;
// The list of single Sundays shows this many whole dates; more scroll.
constexpr int ShownDates = 2;
constexpr int DateItemHeight = 15;

const QColor Navy(0x00, 0x00, 0x80);
const QColor Maroon(0x80, 0x00, 0x00);
const QColor Grey(0x80, 0x80, 0x80);

// 돋움 where it is installed, NanumGothic elsewhere.
QFont Dotum(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("돋움"), QStringLiteral("Dotum"), QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont CaptionFont()
{
    return Dotum(16, true);
}

// The text colour holds whether the label is enabled or not.
QLabel* PlaceLabel(QLabel* label, const QString& text, QRect place, const QFont& font,
                   const QColor& colour = Qt::black, Qt::Alignment alignment = Qt::AlignLeft)
{
    label->setText(text);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

template <class Control> Control* Named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

QLabel* NewLabel(QDialog* window, const QString& name)
{
    return Named(new QLabel(window), name);
}

void FillList(QComboBox* list, const QStringList& items, QRect place, const QFont& font)
{
    list->addItems(items);
    BoundTimeListPopup(*list);
    list->setGeometry(place);
    list->setFont(font);
}

QRect Caption(int left, int top, int width = 130)
{
    return {left, top, width, ListHeight};
}

// The rows' captions, the column header and the notes beside them.
void AddCaptions(QDialog* window)
{
    const QFont caption = CaptionFont();
    PlaceLabel(NewLabel(window, QStringLiteral("weekdaysCaption")), QStringLiteral("평일 :"),
               Caption(CaptionLeft, RowTops[0]), caption);
    PlaceLabel(NewLabel(window, QStringLiteral("nightDutyCaption")), QStringLiteral("평일당번 :"),
               Caption(CaptionLeft, RowTops[1]), caption);
    PlaceLabel(NewLabel(window, QStringLiteral("closingTimeNote")),
               QStringLiteral("(문닫는 시간 선택)"), QRect(EndLeft, 136, EndWidth, 18),
               DotumCheFont(11, true), Grey, Qt::AlignHCenter);
    PlaceLabel(NewLabel(window, QStringLiteral("saturdayCaption")), QStringLiteral("토요일 :"),
               Caption(CaptionLeft, RowTops[2]), caption, Navy);
    PlaceLabel(NewLabel(window, QStringLiteral("everySundayCaption")),
               QStringLiteral("매주 일요일 근무시 :"), QRect(CaptionLeft, 234, 170, 20), caption,
               Maroon);
    PlaceLabel(NewLabel(window, QStringLiteral("closedSundayNote")),
               QStringLiteral("(휴무라면 근무시간을 선택하지 마세요)"), QRect(215, 236, 250, 18),
               DotumCheFont(12, true), Grey);
    PlaceLabel(NewLabel(window, QStringLiteral("weeksCaption")),
               QStringLiteral("주별 일요일 근무시 :"), QRect(CaptionLeft, 276, 170, 20), caption,
               Maroon);
    for (int week = 1; week <= 5; ++week)
        PlaceLabel(NewLabel(window, QStringLiteral("week%1Caption").arg(week)),
                   QStringLiteral("%1주 :").arg(week),
                   Caption(WeekCaptionLeft, RowTops[3 + week], 50), Dotum(15, true));
    PlaceLabel(NewLabel(window, QStringLiteral("workingHeader")), QStringLiteral("근무유무"),
               QRect(BoxLeft - 25, 136, 66, 18), Dotum(12, true), Qt::black, Qt::AlignHCenter);
}

// The boxes first, then the lists, then the labels, each from the top row down.
void AddRows(QDialog* window, const std::array<WeeklyHoursRow*, 9>& rows)
{
    const QString names[] = {
        QStringLiteral("weekdays"),    QStringLiteral("nightDuty"), QStringLiteral("saturday"),
        QStringLiteral("everySunday"), QStringLiteral("week1"),     QStringLiteral("week2"),
        QStringLiteral("week3"),       QStringLiteral("week4"),     QStringLiteral("week5")};
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i]->working = Named(new QCheckBox(window), names[i] + QStringLiteral("Working"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool isNightDuty = i == 1;
        rows[i]->start =
            Named(new QComboBox(window),
                  names[i] + (isNightDuty ? QStringLiteral("Day") : QStringLiteral("Start")));
        rows[i]->end = Named(new QComboBox(window), names[i] + QStringLiteral("End"));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i]->from = NewLabel(window, names[i] + QStringLiteral("From"));
        rows[i]->to = NewLabel(window, names[i] + QStringLiteral("To"));
    }
}

void PlaceRows(const std::array<WeeklyHoursRow*, 9>& rows)
{
    const QFont listFont = DotumCheFont(15, true);
    const QFont smallFont = Dotum(11, false);
    const QStringList days = {QStringLiteral("월요일"), QStringLiteral("화요일"),
                              QStringLiteral("수요일"), QStringLiteral("목요일"),
                              QStringLiteral("금요일")};
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const WeeklyHoursRow& row = *rows[index];
        const int top = RowTops[index];
        row.working->setGeometry(BoxLeft, top + 3, 16, 16);
        const bool isNightDuty = index == 1;
        FillList(row.start, isNightDuty ? days : StartTimeLabels(),
                 QRect(StartLeft, top, StartWidth, ListHeight), listFont);
        FillList(row.end, EndTimeLabels(), QRect(EndLeft, top, EndWidth, ListHeight), listFont);
        PlaceLabel(row.from, QStringLiteral("부터"), QRect(FromLeft, top, 26, ListHeight),
                   smallFont);
        PlaceLabel(row.to, QStringLiteral("까지"), QRect(ToLeft, top, 26, ListHeight), smallFont);
        for (QWidget* part : std::initializer_list<QWidget*>{row.start, row.end, row.from, row.to})
            part->setEnabled(false);
    }
}

// Four buttons, exactly one selected, the first at the start. The captions of the last two
// and the note on night opening stay hidden; their buttons are shown and can be selected.
std::array<QRadioButton*, 4> AddOperationType(QDialog* window)
{
    PlaceLabel(NewLabel(window, QStringLiteral("operationCaption")), QStringLiteral("운영형태 :"),
               Caption(CaptionLeft, OperationTop), CaptionFont(), Maroon);
    const struct
    {
        const char* name;
        QString text;
        int left;
    } operations[] = {{"regular", QStringLiteral("일반"), BoxLeft},
                      {"openAllYear", QStringLiteral("연중무휴"), 240},
                      {"night", QStringLiteral("야간"), 336},
                      {"openAllYearAndNight", QStringLiteral("연중무휴 + 야간"), 396}};
    std::array<QRadioButton*, 4> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = new QRadioButton(window);
        buttons[i]->setObjectName(QLatin1String(operations[i].name) + QStringLiteral("Operation"));
        buttons[i]->setGeometry(operations[i].left, OperationTop + 3, 16, 16);
    }
    std::array<QLabel*, 4> captions{};
    for (std::size_t i = 0; i < captions.size(); ++i)
        captions[i] = PlaceLabel(
            NewLabel(window, QLatin1String(operations[i].name) + QStringLiteral("Caption")),
            operations[i].text, Caption(operations[i].left + 18, OperationTop, 86),
            Dotum(15, true));
    buttons[0]->setChecked(true);
    QLabel* note = PlaceLabel(NewLabel(window, QStringLiteral("nightOpeningNote")),
                              QStringLiteral("(야간: 밤10시 또는 이후까지 운영시)"),
                              QRect(215, 452, 250, 14), DotumCheFont(11, true), Grey);
    for (QLabel* hidden : {captions[2], captions[3], note})
        hidden->hide();
    return buttons;
}

SpecificSundaysControls AddSpecificSundays(QDialog* window)
{
    PlaceLabel(NewLabel(window, QStringLiteral("sundaysCaption")),
               QStringLiteral("특정 일요일 근무시 :"), QRect(CaptionLeft, 465, 200, 19),
               CaptionFont(), Maroon);
    const SpecificSundaysControls sundays{
        .date = new QDateEdit(window),
        .start = new QComboBox(window),
        .end = new QComboBox(window),
        .save = new QPushButton(QStringLiteral("저장"), window),
        .remove = new QPushButton(QStringLiteral("삭제"), window),
        .dates = new QListWidget(window),
    };
    sundays.date->setObjectName(QStringLiteral("sundayDate"));
    sundays.date->setGeometry(53, 485, 98, 21);
    sundays.date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    sundays.date->setCalendarPopup(true);
    const QFont listFont = DotumCheFont(13, false);
    sundays.start->setObjectName(QStringLiteral("sundayStart"));
    FillList(sundays.start, StartTimeLabels(), QRect(157, 485, 75, 21), listFont);
    sundays.end->setObjectName(QStringLiteral("sundayEnd"));
    FillList(sundays.end, EndTimeLabels(), QRect(238, 485, 112, 21), listFont);
    sundays.end->setCurrentIndex(-1);
    sundays.save->setObjectName(QStringLiteral("saveSundayButton"));
    sundays.save->setGeometry(356, 485, 42, 21);
    sundays.remove->setObjectName(QStringLiteral("deleteSundayButton"));
    sundays.remove->setGeometry(402, 485, 42, 21);
    // Enter in the window must not press them.
    for (QPushButton* button : {sundays.save, sundays.remove})
        button->setAutoDefault(false);
    QListWidget* dates = sundays.dates;
    dates->setObjectName(QStringLiteral("sundayList"));
    dates->setFont(DotumCheFont(12, false));
    dates->setStyleSheet(QStringLiteral("QListWidget::item { height: %1px; }").arg(DateItemHeight));
    dates->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dates->setGeometry(53, 508, 391, ShownDates * DateItemHeight + 2 * dates->frameWidth());
    return sundays;
}

QLabel* AddBackground(QDialog* window)
{
    QLabel* background = NewLabel(window, QStringLiteral("background"));
    background->setGeometry(QRect(QPoint(0, 0), WeeklyHoursClientSize));
    background->lower();
    return background;
}

PictureButton* NewPictureButton(QDialog* window, WeeklyHoursButton kind, const QString& name)
{
    auto* button = new PictureButton(
        window, [kind] { return WeeklyHoursButtonPicture(kind, false); },
        WeeklyHoursButtonPlace(kind), [kind] { return WeeklyHoursButtonPicture(kind, true); },
        WeeklyHoursButtonPlace(kind));
    button->setObjectName(name);
    button->PressedPicture()->setObjectName(name + QStringLiteral("Pressed"));
    return button;
}

} // namespace

WeeklyHoursControls::WeeklyHoursControls(QDialog* window)
{
    AddCaptions(window);
    const std::array<WeeklyHoursRow*, 9> rows = {&weekdays,    &nightDuty, &saturday,
                                                 &everySunday, &weeks[0],  &weeks[1],
                                                 &weeks[2],    &weeks[3],  &weeks[4]};
    AddRows(window, rows);
    PlaceRows(rows);
    operations = AddOperationType(window);
    sundays = AddSpecificSundays(window);
    background = AddBackground(window);
    save = NewPictureButton(window, WeeklyHoursButton::Complete, QStringLiteral("saveButton"));
    reenter = NewPictureButton(window, WeeklyHoursButton::Reenter, QStringLiteral("reenterButton"));
    close = NewPictureButton(window, WeeklyHoursButton::Close, QStringLiteral("closeBar"));
    for (PictureButton* button : {save, reenter, close})
        button->ShowPressesAfter(window, [this] { ReleaseButtons(); });
}

std::array<const WeeklyHoursRow*, 9> WeeklyHoursControls::Rows() const
{
    return {&weekdays, &nightDuty, &saturday, &everySunday, &weeks[0],
            &weeks[1], &weeks[2],  &weeks[3], &weeks[4]};
}

void WeeklyHoursControls::ReleaseButtons() const
{
    for (PictureButton* button : {save, reenter, close})
        button->ShowReleased();
}

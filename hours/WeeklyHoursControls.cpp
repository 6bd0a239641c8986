#include "PictureButton.h"
#include "TimeListPopup.h"
#include "TimeSlots.h"
#include "WeeklyHoursPictures.h"
#include "WeeklyHoursWindow.h"
#include "WindowFonts.h"

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

void PlaceLabel(QLabel* label, const QString& text, QRect place, const QFont& font,
                const QColor& colour = Qt::black, Qt::Alignment alignment = Qt::AlignLeft)
{
    label->setText(text);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
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

} // namespace

void WeeklyHoursWindow::Layout()
{
    normal_img1->setGeometry(rect());
    normal_img1->lower();

    const QFont caption = Dotum(16, true);
    PlaceLabel(Label7, QStringLiteral("평일 :"), Caption(CaptionLeft, RowTops[0]), caption);
    PlaceLabel(Label8, QStringLiteral("평일당번 :"), Caption(CaptionLeft, RowTops[1]), caption);
    PlaceLabel(Label13, QStringLiteral("토요일 :"), Caption(CaptionLeft, RowTops[2]), caption,
               Navy);
    PlaceLabel(Label14, QStringLiteral("매주 일요일 근무시 :"), QRect(CaptionLeft, 234, 170, 20),
               caption, Maroon);
    PlaceLabel(Label18, QStringLiteral("주별 일요일 근무시 :"), QRect(CaptionLeft, 276, 170, 20),
               caption, Maroon);
    QLabel* const weekCaptions[] = {Label19, Label20, Label21, Label22, Label23};
    for (int week = 0; week < 5; ++week)
        PlaceLabel(weekCaptions[week], QStringLiteral("%1주 :").arg(week + 1),
                   Caption(WeekCaptionLeft, RowTops[4 + week], 50), Dotum(15, true));
    PlaceLabel(Label11, QStringLiteral("근무유무"), QRect(BoxLeft - 25, 136, 66, 18),
               Dotum(12, true), Qt::black, Qt::AlignHCenter);
    PlaceLabel(Label12, QStringLiteral("(문닫는 시간 선택)"), QRect(EndLeft, 136, EndWidth, 18),
               DotumCheFont(11, true), Grey, Qt::AlignHCenter);
    PlaceLabel(Label15, QStringLiteral("(휴무라면 근무시간을 선택하지 마세요)"),
               QRect(215, 236, 250, 18), DotumCheFont(12, true), Grey);

    const QFont listFont = DotumCheFont(15, true);
    const QFont smallFont = Dotum(11, false);
    const std::array<Row, 9> rows = Rows();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const Row& row = rows[index];
        const int top = RowTops[index];
        row.box->setGeometry(BoxLeft, top + 3, 16, 16);
        const bool isNightDuty = row.start == Cmb_normal8;
        const QStringList starts =
            isNightDuty ? QStringList{QStringLiteral("월요일"), QStringLiteral("화요일"),
                                      QStringLiteral("수요일"), QStringLiteral("목요일"),
                                      QStringLiteral("금요일")}
                        : StartTimeLabels();
        FillList(row.start, starts, QRect(StartLeft, top, StartWidth, ListHeight), listFont);
        FillList(row.end, EndTimeLabels(), QRect(EndLeft, top, EndWidth, ListHeight), listFont);
        PlaceLabel(row.from, QStringLiteral("부터"), QRect(FromLeft, top, 26, ListHeight),
                   smallFont);
        PlaceLabel(row.to, QStringLiteral("까지"), QRect(ToLeft, top, 26, ListHeight), smallFont);
        for (QWidget* part : std::initializer_list<QWidget*>{row.start, row.end, row.from, row.to})
            part->setEnabled(false);
    }

    PlaceLabel(Label2, QStringLiteral("운영형태 :"), Caption(CaptionLeft, OperationTop), caption,
               Maroon);
    const QFont operationFont = Dotum(15, true);
    const struct
    {
        QRadioButton* button;
        QLabel* label;
        QString text;
        int left;
    } operations[] = {{rad_normal1, Label3, QStringLiteral("일반"), BoxLeft},
                      {rad_normal2, Label4, QStringLiteral("연중무휴"), 240},
                      {rad_normal3, Label5, QStringLiteral("야간"), 336},
                      {rad_normal4, Label6, QStringLiteral("연중무휴 + 야간"), 396}};
    for (const auto& operation : operations) {
        operation.button->setGeometry(operation.left, OperationTop + 3, 16, 16);
        PlaceLabel(operation.label, operation.text, Caption(operation.left + 18, OperationTop, 86),
                   operationFont);
    }
    rad_normal1->setChecked(true);
    PlaceLabel(Label9, QStringLiteral("(야간: 밤10시 또는 이후까지 운영시)"),
               QRect(215, 452, 250, 14), DotumCheFont(11, true), Grey);
    for (QLabel* hidden : {Label5, Label6, Label9})
        hidden->hide();

    PlaceLabel(Label1, QStringLiteral("특정 일요일 근무시 :"), QRect(CaptionLeft, 465, 200, 19),
               caption, Maroon);
    DateTimePicker1->setGeometry(53, 485, 98, 21);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setCalendarPopup(true);
    const QFont sundayFont = DotumCheFont(13, false);
    FillList(ComboBox1, StartTimeLabels(), QRect(157, 485, 75, 21), sundayFont);
    FillList(ComboBox2, EndTimeLabels(), QRect(238, 485, 112, 21), sundayFont);
    ComboBox2->setCurrentIndex(-1);
    Button1->setText(QStringLiteral("저장"));
    Button1->setGeometry(356, 485, 42, 21);
    Button2->setText(QStringLiteral("삭제"));
    Button2->setGeometry(402, 485, 42, 21);
    // Enter in the window must not press them.
    for (QPushButton* button : {Button1, Button2})
        button->setAutoDefault(false);
    ListBox1->setFont(DotumCheFont(12, false));
    ListBox1->setStyleSheet(
        QStringLiteral("QListWidget::item { height: %1px; }").arg(DateItemHeight));
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setGeometry(53, 508, 391, ShownDates * DateItemHeight + 2 * ListBox1->frameWidth());

    btn_normal1 = NewPictureButton(WeeklyHoursButton::Complete);
    btn_normal2 = NewPictureButton(WeeklyHoursButton::Reenter);
    btn_normal3 = NewPictureButton(WeeklyHoursButton::Close);
}

PictureButton* WeeklyHoursWindow::NewPictureButton(WeeklyHoursButton kind)
{
    auto* button = new PictureButton(
        this, [kind] { return WeeklyHoursButtonPicture(kind, false); },
        WeeklyHoursButtonPlace(kind), [kind] { return WeeklyHoursButtonPicture(kind, true); },
        WeeklyHoursButtonPlace(kind));
    button->ShowPressesAfter(this, [this] { ResetButtonImages(); });
    connect(button, &PictureButton::Clicked, this, &WeeklyHoursWindow::btn_normal1Click);
    return button;
}

void WeeklyHoursWindow::ResetButtonImages()
{
    for (PictureButton* button : {btn_normal1, btn_normal2, btn_normal3})
        button->ShowReleased();
}

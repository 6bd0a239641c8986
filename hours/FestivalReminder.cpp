#include "hours/FestivalReminder.h"

#include "core/program/PictureButton.h"
#include "core/program/WindowFonts.h"
#include "hours/ReminderAnswer.h"
#include "hours/ReminderButtons.h"

#include <QLabel>

namespace {

constexpr int NameLength = 2;
constexpr int TextPixelSize = 12;
// The festival's name: bold 24-pixel 돋움체.
constexpr int NamePixelSize = 24;

void AddText(QWidget* parent, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setFont(TahomaFont(TextPixelSize, false));
    label->move(at);
    label->adjustSize();
}

} // namespace

FestivalReminder::FestivalReminder(const HolidayRow& festival,
                                   std::function<void()> openFestivalHours, QWidget* parent)
    : QDialog(parent), festival_(festival), openFestivalHours_(std::move(openFestivalHours)),
      festivalName_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("초록우체통"));
    setFixedSize(ReminderSize);

    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("background"));
    background->setGeometry(rect());
    background->setPixmap(QPixmap::fromImage(ReminderBackground(ReminderBanner::Festival)));
    background->lower();

    festivalName_->setObjectName(QStringLiteral("festivalName"));
    festivalName_->setTextFormat(Qt::PlainText);
    festivalName_->move(130, 62);
    festivalName_->setFont(DotumCheFont(NamePixelSize, true));
    festivalName_->setStyleSheet(QStringLiteral("color: grey;"));

    AddText(this, QStringLiteral("근무 시간이 등록되지 않았습니다."), {28, 109});
    AddText(this, QStringLiteral("지금 등록을 원하시면 근무버튼을 클릭하시고 "), {28, 129});
    AddText(this, QStringLiteral("등록을 원치 않으시면 휴무 버튼을"), {28, 149});
    AddText(this, QStringLiteral("나중에 다시 등록하시려면 나중알림 버튼을 클릭하세요"), {28, 169});
    for (const ReminderButton answer :
         {ReminderButton::Work, ReminderButton::Closed, ReminderButton::Later})
        connect(NewReminderButton(this, answer), &PictureButton::Clicked, this,
                [this, answer] { Answer(answer); });
}

// The festival's name, first two characters only, each time the reminder is shown.
void FestivalReminder::showEvent(QShowEvent* event)
{
    festivalName_->setText(festival_.name.left(NameLength));
    festivalName_->adjustSize();
    QDialog::showEvent(event);
}

// Stores the answer and closes; 근무 first opens the festival window and waits for it.
void FestivalReminder::Answer(ReminderButton answer)
{
    StoreReminderAnswer(answer, festival_.day);
    if (answer == ReminderButton::Work)
        openFestivalHours_();
    accept();
}

#include "FestivalReminder.h"

#include "FestivalHoursWindow.h"
#include "ModalDialog.h"
#include "PictureButton.h"
#include "Quillane_Define.h"
#include "ReminderButtons.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "WindowFonts.h"

#include <QLabel>

namespace {

constexpr int NameLength = 2;
constexpr int TextPixelSize = 12;
// The festival's name: bold 24-pixel 돋움체.
constexpr int NamePixelSize = 24;

QLabel* NewText(QWidget* parent, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setFont(TahomaFont(TextPixelSize, false));
    label->move(at);
    label->adjustSize();
    return label;
}

void StoreAnswer(const QString& answer)
{
    WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::Festival,
                   SettingsKeys::ReminderAnswered, answer);
}

// A fresh festival window, shown modally; the next opening from the main window creates
// another one.
void OpenFestivalWindow()
{
    frm_fastival = new FestivalHoursWindow;
    ShowModal(*frm_fastival);
    delete frm_fastival;
}

} // namespace

FestivalReminder::FestivalReminder(QWidget* parent)
    : QDialog(parent), fastmsg_img1(new QLabel(this)), lb_FASTmsg1(new QLabel(this)),
      Label2(NewText(this, QStringLiteral("근무 시간이 등록되지 않았습니다."), {28, 109})),
      Label3(
          NewText(this, QStringLiteral("지금 등록을 원하시면 근무버튼을 클릭하시고 "), {28, 129})),
      Label4(NewText(this, QStringLiteral("등록을 원치 않으시면 휴무 버튼을"), {28, 149})),
      Label5(NewText(this, QStringLiteral("나중에 다시 등록하시려면 나중알림 버튼을 클릭하세요"),
                     {28, 169})),
      btn_fastmsg1(NewReminderButton(this, ReminderButton::Work)),
      btn_fastmsg2(NewReminderButton(this, ReminderButton::Closed)),
      btn_fastmsg3(NewReminderButton(this, ReminderButton::Later)),
      Image2(btn_fastmsg1->PressedPicture()), Image4(btn_fastmsg2->PressedPicture()),
      Image6(btn_fastmsg3->PressedPicture())
{
    setWindowTitle(QStringLiteral("초록우체통"));
    setFixedSize(ReminderSize);

    fastmsg_img1->setGeometry(rect());
    fastmsg_img1->setPixmap(QPixmap::fromImage(ReminderBackground(ReminderBanner::Festival)));
    fastmsg_img1->lower();

    lb_FASTmsg1->setTextFormat(Qt::PlainText);
    lb_FASTmsg1->move(130, 62);
    lb_FASTmsg1->setFont(DotumCheFont(NamePixelSize, true));
    lb_FASTmsg1->setStyleSheet(QStringLiteral("color: grey;"));

    for (PictureButton* button : {btn_fastmsg1, btn_fastmsg2, btn_fastmsg3})
        connect(button, &PictureButton::Clicked, this,
                [this, button] { btn_fastmsg1Click(button); });
}

void FestivalReminder::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void FestivalReminder::FormShow()
{
    lb_FASTmsg1->setText(UpcomingHolidayName.left(NameLength));
    lb_FASTmsg1->adjustSize();
}

void FestivalReminder::btn_fastmsg1Click(PictureButton* sender)
{
    if (sender == btn_fastmsg1) {
        StoreAnswer(UpcomingHolidayDay);
        OpenFestivalWindow();
    } else if (sender == btn_fastmsg2) {
        StoreAnswer(UpcomingHolidayDay);
    } else {
        StoreAnswer(QString());
    }
    accept();
}

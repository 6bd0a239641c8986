#pragma once

#include <QDialog>
#include <QPointer>

class PictureButton;
class QLabel;

// The festival reminder: the coming festival has no working hours yet. 근무 stores the answer
// and opens the festival window, 휴무 stores the answer, 나중알림 clears it so that the next
// check asks again. Closed by its frame it stores nothing.
class FestivalReminder : public QDialog
{
    Q_OBJECT

public:
    explicit FestivalReminder(QWidget* parent = nullptr);

    // The festival's name, first two characters only.
    void FormShow();
    // The answer of one of the three buttons; the reminder closes.
    void btn_fastmsg1Click(PictureButton* sender);

    QLabel* fastmsg_img1;
    QLabel* lb_FASTmsg1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    PictureButton* btn_fastmsg1; // 근무
    PictureButton* btn_fastmsg2; // 휴무
    PictureButton* btn_fastmsg3; // 나중알림
    QLabel* Image2;
    QLabel* Image4;
    QLabel* Image6;

protected:
    void showEvent(QShowEvent* event) override;
};

// The festival reminder while it is shown.
inline QPointer<FestivalReminder> frm_fastmsg;

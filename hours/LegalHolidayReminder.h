#pragma once

#include "WebBrowser.h"

#include <QDialog>
#include <QPointer>

class PictureButton;
class QComboBox;
class QLabel;
class QLineEdit;

// The legal-holiday reminder: the coming legal holiday has no answer yet, and the days left are
// counted. 근무 stores the answer and notes, reports the working day to "hdaycheck.asp" and
// closes once the service has answered (so the report is never cut off); 휴무 stores the answer;
// 나중알림 clears it so that the next check asks again. Closed by its frame it stores nothing.
class LegalHolidayReminder : public QDialog
{
    Q_OBJECT

public:
    explicit LegalHolidayReminder(QWidget* parent = nullptr);

    // The holiday's name and date, and the days left until it.
    void FormShow();
    // The answer of one of the three buttons.
    void btn_holmsg1Click(PictureButton* sender);
    // The answer of "hdaycheck.asp": the saved message unless the page is an error page, then
    // the reminder closes.
    void WebBrowser1DocumentComplete(const QString& url);

    // Yes from a 근무 report until its answer: the reminder does not close meanwhile.
    bool AwaitingReport() const { return awaitingReport_; }

    QLabel* holmsg_img1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* lb_holmsg2; // the countdown
    QLabel* lb_holmsg1; // the holiday's name
    QComboBox* cmb_holiday1;
    QComboBox* cmb_holiday2;
    QLabel* Label6;
    PictureButton* btn_holmsg1; // 근무
    PictureButton* btn_holmsg2; // 휴무
    PictureButton* btn_holmsg3; // 나중알림
    QLabel* Image2;
    QLabel* Image4;
    QLabel* Image6;
    QLineEdit* Edit_holiday1; // hidden: the holiday's date
    WebBrowser WebBrowser1{QStringLiteral("WebBrowser1")};

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ReportWorkingDay();

    bool awaitingReport_ = false;
};

// The legal-holiday reminder while it is shown.
inline QPointer<LegalHolidayReminder> frm_holmsg;

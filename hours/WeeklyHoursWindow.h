#pragma once

#include "FetchState.h"
#include "WebBrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <array>

class PictureButton;
enum class WeeklyHoursButton;
class WeeklyAnswer;
struct WeeklySave;

// The weekly-hours window with the specific Sundays: fetches the registered hours from the service,
// lets the pharmacy change them and sends them back; after a save it opens the legal-holiday
// window. Closing only hides it.
class WeeklyHoursWindow : public QDialog
{
    Q_OBJECT

public:
    explicit WeeklyHoursWindow(QWidget* parent = nullptr);
    ~WeeklyHoursWindow() override;

    // Row captions, headers and notes.
    QLabel* Label7 = new QLabel(this);  // 평일 :
    QLabel* Label8 = new QLabel(this);  // 평일당번 :
    QLabel* Label12 = new QLabel(this); // (문닫는 시간 선택)
    QLabel* Label13 = new QLabel(this); // 토요일 :
    QLabel* Label14 = new QLabel(this); // 매주 일요일 근무시 :
    QLabel* Label15 = new QLabel(this); // (휴무라면 근무시간을 선택하지 마세요)
    QLabel* Label18 = new QLabel(this); // 주별 일요일 근무시 :
    QLabel* Label19 = new QLabel(this); // 1주 : ... Label23 5주 :
    QLabel* Label20 = new QLabel(this);
    QLabel* Label21 = new QLabel(this);
    QLabel* Label22 = new QLabel(this);
    QLabel* Label23 = new QLabel(this);
    QLabel* Label11 = new QLabel(this); // 근무유무

    // The nine rows: working box, start list (the night duty's day list), end list, and the
    // 부터 and 까지 labels.
    QCheckBox* chk_normal1 = new QCheckBox(this); // weekdays
    QCheckBox* chk_normal2 = new QCheckBox(this); // night duty
    QCheckBox* chk_normal3 = new QCheckBox(this); // Saturday
    QCheckBox* chk_normal4 = new QCheckBox(this); // every Sunday
    QCheckBox* chk_normal5 = new QCheckBox(this); // Sunday of week 1 ... chk_normal9 week 5
    QCheckBox* chk_normal6 = new QCheckBox(this);
    QCheckBox* chk_normal7 = new QCheckBox(this);
    QCheckBox* chk_normal8 = new QCheckBox(this);
    QCheckBox* chk_normal9 = new QCheckBox(this);
    QComboBox* cmb_normal1 = new QComboBox(this);
    QComboBox* cmb_normal2 = new QComboBox(this);
    QComboBox* Cmb_normal8 = new QComboBox(this); // night-duty day, Monday to Friday
    QComboBox* Cmb_normal7 = new QComboBox(this); // night-duty closing time
    QComboBox* cmb_normal3 = new QComboBox(this);
    QComboBox* cmb_normal4 = new QComboBox(this);
    QComboBox* cmb_normal5 = new QComboBox(this);
    QComboBox* cmb_normal6 = new QComboBox(this);
    QComboBox* cmb_normal9 = new QComboBox(this);
    QComboBox* cmb_normal10 = new QComboBox(this);
    QComboBox* cmb_normal11 = new QComboBox(this);
    QComboBox* cmb_normal12 = new QComboBox(this);
    QComboBox* cmb_normal13 = new QComboBox(this);
    QComboBox* cmb_normal14 = new QComboBox(this);
    QComboBox* cmb_normal15 = new QComboBox(this);
    QComboBox* cmb_normal16 = new QComboBox(this);
    QComboBox* cmb_normal17 = new QComboBox(this);
    QComboBox* cmb_normal18 = new QComboBox(this);
    // 부터 and 까지 of each row, in the rows' order.
    QLabel* lbs1 = new QLabel(this);
    QLabel* lbe1 = new QLabel(this);
    QLabel* lbs2 = new QLabel(this);
    QLabel* lbe2 = new QLabel(this);
    QLabel* lbs3 = new QLabel(this);
    QLabel* lbe3 = new QLabel(this);
    QLabel* lbs4 = new QLabel(this);
    QLabel* lbe4 = new QLabel(this);
    QLabel* lbs5 = new QLabel(this);
    QLabel* lbe5 = new QLabel(this);
    QLabel* lbs6 = new QLabel(this);
    QLabel* lbe6 = new QLabel(this);
    QLabel* lbs7 = new QLabel(this);
    QLabel* lbe7 = new QLabel(this);
    QLabel* lbs8 = new QLabel(this);
    QLabel* lbe8 = new QLabel(this);
    QLabel* lbs9 = new QLabel(this);
    QLabel* lbe9 = new QLabel(this);

    // The operation type: exactly one selected; the captions of the last two stay hidden.
    QLabel* Label2 = new QLabel(this); // 운영형태 :
    QRadioButton* rad_normal1 = new QRadioButton(this);
    QRadioButton* rad_normal2 = new QRadioButton(this);
    QRadioButton* rad_normal3 = new QRadioButton(this);
    QRadioButton* rad_normal4 = new QRadioButton(this);
    QLabel* Label3 = new QLabel(this); // 일반
    QLabel* Label4 = new QLabel(this); // 연중무휴
    QLabel* Label5 = new QLabel(this); // 야간
    QLabel* Label6 = new QLabel(this); // 연중무휴 + 야간
    QLabel* Label9 = new QLabel(this); // the note on night opening

    // The specific Sundays.
    QLabel* Label1 = new QLabel(this); // 특정 일요일 근무시 :
    QDateEdit* DateTimePicker1 = new QDateEdit(this);
    QComboBox* ComboBox1 = new QComboBox(this);
    QComboBox* ComboBox2 = new QComboBox(this);
    QPushButton* Button1 = new QPushButton(this); // 저장
    QPushButton* Button2 = new QPushButton(this); // 삭제
    QListWidget* ListBox1 = new QListWidget(this);

    // The background and the picture buttons; each button's pressed twin is normal_img2 to
    // normal_img4.
    QLabel* normal_img1 = new QLabel(this);
    PictureButton* btn_normal1; // 입력완료
    PictureButton* btn_normal2; // 다시입력
    PictureButton* btn_normal3; // the close bar

    WebBrowser WebBrowser1{QStringLiteral("WebBrowser1")}; // the weekly hours
    WebBrowser WebBrowser2{QStringLiteral("WebBrowser2")}; // the specific Sundays

    // "1" from the fetch on, "2" from the save on; read when an answer completes.
    QString RequestMode;
    QString LicenseNo;
    QString CheckComputerName;
    // The body of the last weekly request.
    QString RequestBody;

    // Whether the rows hold the answer to the last weekly fetch; the save waits for it.
    FetchState Fetch() const { return fetch_; }

    // Reads the identity, sends the fetch, and the fetch of the specific Sundays.
    void FormShow();
    // Posts a body to "normal3.asp" through WebBrowser1.
    void SendRequest(const QString& body);
    // The completion, re-entry and close buttons.
    void btn_normal1Click();
    // A working box: its row's lists and labels follow its tick.
    void chk_normal1Click();
    // A start picked by the user moves its end list to the next half hour.
    void cmb_normal1Click();
    void WebBrowser1DocumentComplete(const QString& url);
    // The page handling of the weekly answer, given the completed page's address and text.
    void WeeklyAnswerArrived(const QString& url, const QString& text);

    // The specific Sundays: one request of "SunDay.asp" through WebBrowser2.
    void SendSundayRequest(const QString& select, const QString& license, const QString& day,
                           const QString& start, const QString& end);
    // 저장 and 삭제.
    void Button1Click();
    void ListBox1Click();
    void WebBrowser2DocumentComplete(const QString& url);
    // The page handling of the list of dates, given the completed page's address and text.
    void SundayAnswerArrived(const QString& url, const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Row
    {
        QCheckBox* box;
        QComboBox* start;
        QComboBox* end;
        QLabel* from;
        QLabel* to;
    };

    std::array<Row, 9> Rows() const;
    void Layout();
    PictureButton* NewPictureButton(WeeklyHoursButton kind);
    void ResetButtonImages();

    void Save();
    void Reenter();
    WeeklySave RowsToSave() const;
    bool FillRows(WeeklyAnswer& answer);
    bool FillTimeRow(WeeklyAnswer& answer, const Row& row, int testRecord);
    bool FillNightDuty(WeeklyAnswer& answer);
    bool FillWeekRow(WeeklyAnswer& answer, const Row& row, int record);
    bool FillOperation(WeeklyAnswer& answer);
    void OpenHolidayWindow();
    void SaveSunday();

    FetchState fetch_ = FetchState::Pending;
};

// Where the date box of the specific Sundays starts: today when it is a Sunday, else the coming
// Sunday.
QDate NextSunday();

// The one reused weekly-hours window of the main window and the tray; empty until opened.
inline QPointer<WeeklyHoursWindow> frm_normal;

#include "core/program/MessageBox.h"
#include "core/program/PictureButton.h"
#include "core/program/ProgramValues.h"
#include "core/settings/SettingsKeys.h"
#include "hours/FestivalReminder.h"
#include "hours/LegalHolidayReminder.h"
#include "tests/core/LoopbackServer.h"
#include "tests/hours/FindControl.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

QByteArray Cp949(const QString& text)
{
    QStringEncoder encoder("windows-949");
    return encoder.encode(text);
}

// A reminder's answer button: "workButton", "closedButton" or "laterButton".
PictureButton* Button(const QDialog& reminder, const char* name)
{
    return Find<PictureButton>(reminder, QString::fromLatin1(name));
}

void Click(PictureButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
}

// A fresh program folder, the holiday a check found, and every message box recorded.
class ReminderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramFolder = folder.path() + QLatin1Char('/');
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return MessageAnswer::Ok;
        });
    }

    void TearDown() override { SetMessageBoxHandler({}); }

    // A festival reminder whose 근무 records the opening of the festival window.
    std::unique_ptr<FestivalReminder> NewFestivalReminder()
    {
        return std::make_unique<FestivalReminder>(holiday, [this] { ++festivalOpenings; });
    }

    QString SettingsPath() const { return ProgramFolder + SettingsKeys::FileName; }

    void PutSettings(const QString& text)
    {
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Cp949(text));
    }

    QByteArray SettingsBytes() const
    {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    HolidayRow holiday{.day = QStringLiteral("2026-12-25"), .name = QStringLiteral("똘이 성탄절")};
    std::vector<MessageRequest> messages;
    int festivalOpenings = 0;
};

const QString AnsweredLater = QStringLiteral("[명절]\r\n알림체크=2026-12-20\r\n");

struct AnswerCase
{
    const char* what;
    const char* button;
    QString settingsAfter;
};

const std::vector<AnswerCase> AnswerCases = {
    {"근무", "workButton", QStringLiteral("[명절]\r\n알림체크=2026-12-25\r\n")},
    {"휴무", "closedButton", QStringLiteral("[명절]\r\n알림체크=2026-12-25\r\n")},
    {"나중알림", "laterButton", QStringLiteral("[명절]\r\n알림체크=\r\n")},
};

TEST_F(ReminderTest, FestivalAnswersStoreTheHolidayOrClearIt)
{
    for (const AnswerCase& item : AnswerCases) {
        SCOPED_TRACE(item.what);
        PutSettings(AnsweredLater);
        festivalOpenings = 0;
        const std::unique_ptr<FestivalReminder> reminder = NewFestivalReminder();
        reminder->show();
        Click(Button(*reminder, item.button));

        EXPECT_EQ(SettingsBytes(), Cp949(item.settingsAfter));
        EXPECT_FALSE(reminder->isVisible());
        EXPECT_EQ(reminder->result(), QDialog::Accepted);
        // 근무 opens the festival window (modally, by its opener) before the reminder closes.
        EXPECT_EQ(festivalOpenings, item.button == AnswerCases[0].button ? 1 : 0);
    }
}

TEST_F(ReminderTest, LegalHolidayClosedAndLaterAnswersStoreTheHolidayOrClearIt)
{
    for (const AnswerCase& item : AnswerCases) {
        if (item.button == AnswerCases[0].button)
            continue; // 근무 reports the day: tested below
        SCOPED_TRACE(item.what);
        PutSettings(AnsweredLater);
        LegalHolidayReminder reminder(holiday);
        reminder.show();
        Click(Button(reminder, item.button));

        EXPECT_EQ(SettingsBytes(), Cp949(item.settingsAfter));
        EXPECT_FALSE(reminder.isVisible());
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReminderTest, ClosedByItsFrameAReminderStoresNothing)
{
    PutSettings(AnsweredLater);
    const std::unique_ptr<FestivalReminder> festival = NewFestivalReminder();
    festival->show();
    festival->close();
    LegalHolidayReminder legal(holiday);
    legal.show();
    legal.close();
    EXPECT_FALSE(festival->isVisible());
    EXPECT_FALSE(legal.isVisible());
    EXPECT_EQ(SettingsBytes(), Cp949(AnsweredLater));
}

// Pressing shows the pressed picture in the button's place; a release away from the button
// restores it and answers nothing.
TEST_F(ReminderTest, APressShowsThePressedPictureAndAReleaseElsewhereAnswersNothing)
{
    PutSettings(AnsweredLater);
    LegalHolidayReminder reminder(holiday);
    reminder.show();
    PictureButton* later = Button(reminder, "laterButton");
    const QLabel* pressed = Find<QLabel>(reminder, QStringLiteral("laterButtonPressed"));
    QTest::mousePress(later, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(later->isVisible());
    EXPECT_TRUE(pressed->isVisible());
    EXPECT_EQ(pressed->geometry(), later->geometry());
    QTest::mouseRelease(later, Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_TRUE(later->isVisible());
    EXPECT_FALSE(pressed->isVisible());
    EXPECT_TRUE(reminder.isVisible());
    EXPECT_EQ(SettingsBytes(), Cp949(AnsweredLater));
}

TEST_F(ReminderTest, FestivalReminderShowsTheFirstTwoCharactersOfTheName)
{
    const std::vector<std::pair<QString, QString>> names = {
        {QStringLiteral("설날"), QStringLiteral("설날")},
        {QStringLiteral("추석 연휴"), QStringLiteral("추석")},
        {QStringLiteral("똘"), QStringLiteral("똘")},
        {QString(), QString()},
    };
    for (const auto& [name, shown] : names) {
        holiday.name = name;
        const std::unique_ptr<FestivalReminder> reminder = NewFestivalReminder();
        reminder->show();
        EXPECT_EQ(Find<QLabel>(*reminder, QStringLiteral("festivalName"))->text(), shown)
            << name.toStdString();
    }
}

TEST_F(ReminderTest, LegalHolidayReminderCountsTheDaysLeft)
{
    for (const int days : {3, 5, 7}) {
        holiday.day = QDate::currentDate().addDays(days).toString(Qt::ISODate);
        LegalHolidayReminder reminder(holiday);
        reminder.show();
        EXPECT_EQ(Find<QLabel>(reminder, QStringLiteral("countdown"))->text(),
                  QStringLiteral("( %1일전 )").arg(days));
        EXPECT_EQ(Find<QLabel>(reminder, QStringLiteral("holidayName"))->text(),
                  QStringLiteral("똘이 성탄절"));
        const QComboBox* start = Find<QComboBox>(reminder, QStringLiteral("workStart"));
        const QComboBox* end = Find<QComboBox>(reminder, QStringLiteral("workEnd"));
        EXPECT_FALSE(start->isEnabled());
        EXPECT_FALSE(end->isEnabled());
        EXPECT_EQ(start->count(), 49);
        EXPECT_EQ(end->count(), 61);
        EXPECT_EQ(end->itemText(60), QStringLiteral("익일 6시"));
    }
}

// The whole name stands left of the start list, however long; markup in it is shown as text.
TEST_F(ReminderTest, LegalHolidayReminderShowsTheWholeNameAsText)
{
    for (const QString& name :
         {QStringLiteral("전국동시지방선거"), QStringLiteral("제22대 국회의원선거 임시공휴일"),
          QStringLiteral("<font color=red size=7>선거</font>"), QStringLiteral("신정")}) {
        SCOPED_TRACE(name.toStdString());
        holiday.name = name;
        LegalHolidayReminder reminder(holiday);
        reminder.show();
        const QLabel& label = *Find<QLabel>(reminder, QStringLiteral("holidayName"));
        EXPECT_EQ(label.text(), name);
        EXPECT_EQ(label.textFormat(), Qt::PlainText);
        EXPECT_LT(label.geometry().right(),
                  Find<QComboBox>(reminder, QStringLiteral("workStart"))->x())
            << "beside the lists";
        const QRect needed = label.fontMetrics().boundingRect(
            label.contentsRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, name);
        EXPECT_TRUE(label.contentsRect().contains(needed))
            << needed.width() << "x" << needed.height();
        EXPECT_LT(label.geometry().bottom(),
                  Find<QLabel>(reminder, QStringLiteral("legalHolidayWindowNote"))->y())
            << "above the red note";
    }
}

TEST_F(ReminderTest, FestivalReminderShowsMarkupInTheNameAsText)
{
    holiday.name = QStringLiteral("<b>설날");
    const std::unique_ptr<FestivalReminder> reminder = NewFestivalReminder();
    reminder->show();
    EXPECT_EQ(Find<QLabel>(*reminder, QStringLiteral("festivalName"))->text(),
              QStringLiteral("<b"));
    EXPECT_EQ(Find<QLabel>(*reminder, QStringLiteral("festivalName"))->textFormat(), Qt::PlainText);
}

// The service's hdaycheck.asp, answering with the given status and page after a pause.
struct HdaycheckPage
{
    explicit HdaycheckPage(int status, std::string page,
                           std::chrono::milliseconds pause = std::chrono::milliseconds(0))
    {
        server.Post("/Quillane/hdaycheck.asp",
                    [=](const httplib::Request&, httplib::Response& response) {
                        std::this_thread::sleep_for(pause);
                        response.status = status;
                        response.set_content(page, "text/html; charset=utf-8");
                    });
        server.Start();
        BaseUrl = QStringLiteral("http://") + server.HostAndPort() + QStringLiteral("/Quillane/");
    }

    LoopbackServer server;
};

struct WorkCase
{
    const char* what;
    QString licenseLine;
    QByteArray licenseSent;
};

const std::vector<WorkCase> WorkCases = {
    {"surrounding spaces are trimmed", QStringLiteral("개국약사면허번호=\" 10234 \""), "10234"},
    {"form characters are escaped", QStringLiteral("개국약사면허번호=10&2=3"), "10%262%3D3"},
    {"no licence", QString(), ""},
};

TEST_F(ReminderTest, LegalHolidayWorkStoresTheNotesAndReportsTheDay)
{
    for (const WorkCase& item : WorkCases) {
        SCOPED_TRACE(item.what);
        messages.clear();
        HdaycheckPage page(200, "<html><body>OK</body></html>");
        PutSettings(QStringLiteral("[기본정보]\r\n") + item.licenseLine + QStringLiteral("\r\n"));
        LegalHolidayReminder reminder(holiday);
        reminder.show();
        Click(Button(reminder, "workButton"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !reminder.isVisible(); }, 10000));

        const auto requests = page.server.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].Header("Content-Type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(QByteArray::fromStdString(requests[0].body),
                  QByteArray("P_Gubun = 1&P_PALICENSE =") + item.licenseSent +
                      QByteArray("&P_TIME_S1   =00:00&P_TIME_E1   =00:00&P_TIME_D1   =2026-12-25") +
                      QByteArray(1, '\0'));
        EXPECT_EQ(SettingsBytes(), Cp949(QStringLiteral("[기본정보]\r\n") + item.licenseLine +
                                         QStringLiteral("\r\n"
                                                        "[명절]\r\n알림체크=2026-12-25\r\n"
                                                        "[법정공휴일]\r\n"
                                                        "똘이 성탄절체크=1\r\n"
                                                        "똘이 성탄절시작=00:00\r\n"
                                                        "똘이 성탄절종료=00:00\r\n"
                                                        "똘이 성탄절날자=2026-12-25\r\n")));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("법정 공휴일 데이터가 저장되었습니다"));
        EXPECT_TRUE(messages[0].caption.isEmpty()); // the application's title
        EXPECT_EQ(messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(reminder.result(), QDialog::Accepted);
    }
}

// An error page is not reported as saved; the stored answer stays all the same.
TEST_F(ReminderTest, LegalHolidayWorkAnsweredWithAnErrorPageShowsNoSavedMessage)
{
    HdaycheckPage page(500, "<html><body>내부 서버 오류</body></html>");
    LegalHolidayReminder reminder(holiday);
    reminder.show();
    Click(Button(reminder, "workButton"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reminder.isVisible(); }, 10000));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(page.server.Requests().size(), 1u);
    EXPECT_TRUE(SettingsBytes().contains(Cp949(QStringLiteral("알림체크=2026-12-25"))));
}

// Until the service has answered, neither the frame nor a second answer closes the reminder:
// the report is never cut off.
TEST_F(ReminderTest, LegalHolidayWorkWaitsForTheAnswerBeforeClosing)
{
    HdaycheckPage page(200, "OK", std::chrono::milliseconds(600));
    LegalHolidayReminder reminder(holiday);
    reminder.show();
    Click(Button(reminder, "workButton"));
    EXPECT_TRUE(reminder.AwaitingReport());
    reminder.close();
    reminder.reject();
    Click(Button(reminder, "closedButton"));
    EXPECT_TRUE(reminder.isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reminder.isVisible(); }, 10000));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(SettingsBytes().contains(Cp949(QStringLiteral("알림체크=2026-12-25"))));
}

// A reminder destroyed under its report (the program ending) takes the answer with it quietly.
TEST_F(ReminderTest, AnAnswerArrivingAfterTheReminderIsGoneIsIgnored)
{
    HdaycheckPage page(200, "OK", std::chrono::milliseconds(300));
    auto* reminder = new LegalHolidayReminder(holiday);
    reminder->show();
    Click(Button(*reminder, "workButton"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.server.Requests().empty(); }, 10000));
    delete reminder;
    QTest::qWait(700);
    EXPECT_TRUE(messages.empty());
}

} // namespace

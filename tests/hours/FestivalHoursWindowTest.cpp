#include "hours/FestivalHoursWindow.h"

#include "core/program/DataWindow.h"
#include "core/program/ModalDialog.h"
#include "core/program/PictureButton.h"
#include "tests/hours/DayHoursFixture.h"

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using namespace std::string_literals;

const std::string FetchBody = "P_select  =1&P_LICENSE    =12345"
                              "&P_TIME_S1   =&P_TIME_E1   =&P_TIME_D1   ="
                              "&P_TIME_S2   =&P_TIME_E2   =&P_TIME_D2   ="
                              "&P_TIME_S3   =&P_TIME_E3   =&P_TIME_D3   ="
                              "&P_TIME_S4   =&P_TIME_E4   =&P_TIME_D4   ="
                              "&P_TIME_S5   =&P_TIME_E5   =&P_TIME_D5   ="
                              "&P_TIME_S6   =&P_TIME_E6   =&P_TIME_D6   ="
                              "&P_TIME_S7   =&P_TIME_E7   =&P_TIME_D7   ="
                              "&P_TIME_S8   =&P_TIME_E8   =&P_TIME_D8   ="
                              "&P_TIME_S9   =&P_TIME_E9   =&P_TIME_D9   ="
                              "&P_TIME_S10   =&P_TIME_E10   =&P_TIME_D10   ="s +
                              '\0';

const std::string SavedMessage = "명절 근무시간 데이터가 저장되었습니다";

// Rows 1, 2 and 5 and 10 of 설날, row 6 of another festival, two records beyond the rows (the
// last one unreadable, which no row ever reads).
const std::string FetchAnswer = "2027-02-0509:0018:00설날]2027-02-060000000000설날]]]"
                                "2027-02-070000000000설날]2027-09-1409:0018:00추석]]]]"
                                "2027-02-080000000000설날]2027-02-090000000000설날]2027-02-10설날";
// The service's answer to the save.
const std::string SaveAnswer = "2027-02-0509:0018:00설날]2027-02-060000000000설날]]]"
                               "2027-02-070000000000설날]]]]]2027-02-0808:0030:00설날";
// A later fetch's answer that fills rows 1 and 2 only.
const std::string LaterAnswer = "2027-02-0510:0012:00설날]2027-02-0611:0013:00설날";

class FestivalHoursWindowTest : public DayHoursFixture
{
protected:
    ~FestivalHoursWindowTest() override { delete opened; }

    FestivalHoursWindow& OpenWithAnswers(std::vector<std::string> answers)
    {
        Serve("festival1.asp", std::move(answers));
        ShowDataWindow(opened);
        EXPECT_TRUE(WaitForAnswers(*opened, 1));
        return *opened;
    }

    QPointer<FestivalHoursWindow> opened; // the window, as the main window keeps it
};

TEST_F(FestivalHoursWindowTest, SavesTenRowsHidesAndFetchesAgainAtTheNextOpening)
{
    FestivalHoursWindow& window = OpenWithAnswers({FetchAnswer, SaveAnswer, LaterAnswer});
    ASSERT_THAT(Bodies(), ElementsAre(FetchBody));
    ASSERT_THAT(ShownRows(window),
                ElementsAre("설날|2027-02-05|on|09:00|18:00", "설날|2027-02-06|off|00:00|00:00",
                            "-", "-", "설날|2027-02-07|off|00:00|00:00", "-", "-", "-", "-",
                            "설날|2027-02-08|off|00:00|00:00"));
    EXPECT_THAT(messages, IsEmpty()) << "the record beyond the rows is never read";

    Click(Row(window, 10).working);
    Pick(Row(window, 10).start, QStringLiteral("08:00"));
    EXPECT_EQ(Row(window, 10).end->currentText(), QStringLiteral("08:30"));
    Pick(Row(window, 10).end, QStringLiteral("익일 6시"));
    Press(Button(window, "saveButton"));

    ASSERT_TRUE(WaitForAnswers(window, 2));
    EXPECT_EQ(Bodies().at(1), "P_select  =2&P_LICENSE    =12345"
                              "&P_TIME_S1   =09:00&P_TIME_E1   =18:00&P_TIME_D1   =2027-02-05"
                              "&P_TIME_S2   =0&P_TIME_E2   =0&P_TIME_D2   =2027-02-06"
                              "&P_TIME_S3   =0&P_TIME_E3   =0&P_TIME_D3   =0"
                              "&P_TIME_S4   =0&P_TIME_E4   =0&P_TIME_D4   =0"
                              "&P_TIME_S5   =0&P_TIME_E5   =0&P_TIME_D5   =2027-02-07"
                              "&P_TIME_S6   =0&P_TIME_E6   =0&P_TIME_D6   =0"
                              "&P_TIME_S7   =0&P_TIME_E7   =0&P_TIME_D7   =0"
                              "&P_TIME_S8   =0&P_TIME_E8   =0&P_TIME_D8   =0"
                              "&P_TIME_S9   =0&P_TIME_E9   =0&P_TIME_D9   =0"
                              "&P_TIME_S10   =08:00&P_TIME_E10   =30:00&P_TIME_D10   =2027-02-08"s +
                                  '\0');
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(), SavedMessage);
    EXPECT_EQ(messages[0].caption, QString());
    EXPECT_TRUE(window.isHidden()) << "closed";
    ASSERT_FALSE(opened.isNull()) << "hidden, not destroyed";

    ShowDataWindow(opened);

    ASSERT_TRUE(WaitForAnswers(window, 3));
    EXPECT_EQ(Bodies().at(2), FetchBody);
    EXPECT_EQ(window.LastRequest(), HoursRequest::Fetch);
    EXPECT_THAT(ShownRows(window),
                ElementsAre("설날|2027-02-05|on|10:00|12:00", "설날|2027-02-06|on|11:00|13:00", "-",
                            "-", "-", "-", "-", "-", "-", "-"))
        << "rows the new answer does not fill are hidden";
    EXPECT_EQ(messages.size(), 1u);
}

// 설날 answered with four days, then 추석 with three: the fourth row is hidden and goes out as a
// row that holds no day, not as 설날's last day again.
TEST_F(FestivalHoursWindowTest, RowsTheAnswerDoesNotFillAreHiddenAndNotSent)
{
    FestivalHoursWindow& window = OpenWithAnswers(
        {"2027-02-060000000000설날]2027-02-0709:0018:00설날]2027-02-080000000000설날]"
         "2027-02-090000000000설날",
         "2027-09-140000000000추석]2027-09-1509:0013:00추석]2027-09-160000000000추석"});
    ASSERT_EQ(ShownRows(window)[3], "설날|2027-02-09|off|00:00|00:00");
    window.close();
    ShowDataWindow(opened);
    ASSERT_TRUE(WaitForAnswers(window, 2));
    ASSERT_THAT(ShownRows(window),
                ElementsAre("추석|2027-09-14|off|00:00|00:00", "추석|2027-09-15|on|09:00|13:00",
                            "추석|2027-09-16|off|00:00|00:00", "-", "-", "-", "-", "-", "-", "-"));

    Press(Button(window, "saveButton"));

    ASSERT_TRUE(WaitForAnswers(window, 3));
    std::string expected = "P_select  =2&P_LICENSE    =12345"
                           "&P_TIME_S1   =0&P_TIME_E1   =0&P_TIME_D1   =2027-09-14"
                           "&P_TIME_S2   =09:00&P_TIME_E2   =13:00&P_TIME_D2   =2027-09-15"
                           "&P_TIME_S3   =0&P_TIME_E3   =0&P_TIME_D3   =2027-09-16";
    for (int n = 4; n <= 10; ++n) {
        const std::string row = std::to_string(n);
        expected += "&P_TIME_S" + row + "   =0&P_TIME_E" + row + "   =0&P_TIME_D" + row + "   =0";
    }
    EXPECT_EQ(Bodies().at(2), expected + '\0');
}

// 입력완료 before the fetch's answer has filled the rows sends nothing; an error page in answer
// to the fetch says so, and 입력완료 then says it again and sends nothing.
TEST_F(FestivalHoursWindowTest, TheSaveWaitsForTheFetchAndAFailedFetchSaysSo)
{
    Serve("festival1.asp", {"2027-02-0509:0018:00설날", "500 - 내부 서버 오류"});
    ShowDataWindow(opened);
    FestivalHoursWindow& window = *opened;
    Press(Button(window, "saveButton"));
    EXPECT_EQ(window.Fetched(), FetchState::Pending);
    ASSERT_TRUE(WaitForAnswers(window, 1));
    QCoreApplication::processEvents();
    EXPECT_THAT(Bodies(), ElementsAre(FetchBody)) << "no save before the rows were filled";
    EXPECT_EQ(window.Fetched(), FetchState::Applied);
    EXPECT_THAT(messages, IsEmpty());

    window.close();
    ShowDataWindow(opened);
    ASSERT_TRUE(WaitForAnswers(window, 2));
    ASSERT_TRUE(WaitUntil([&] { return !messages.empty(); }));
    EXPECT_EQ(window.Fetched(), FetchState::Failed);
    Press(Button(window, "saveButton"));
    QTest::qWait(200);
    EXPECT_EQ(Bodies().size(), 2u) << "no save after a failed fetch";
    ASSERT_EQ(messages.size(), 2u);
    for (const MessageRequest& message : messages) {
        EXPECT_EQ(message.text, QStringLiteral("서버에서 근무시간을 불러오지 못했습니다.\r\n"
                                               "창을 닫고 다시 열어 주십시오"));
        EXPECT_EQ(message.caption, QStringLiteral("경고"));
        EXPECT_EQ(message.icon, MessageIcon::Error);
    }
    EXPECT_EQ(ShownRows(window)[0], "설날|2027-02-05|on|09:00|18:00")
        << "the error page changes no row";
}

TEST_F(FestivalHoursWindowTest, CloseBarOnlyHidesTheWindow)
{
    FestivalHoursWindow& window = OpenWithAnswers({FetchAnswer});

    Press(Button(window, "closeBar"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_FALSE(opened.isNull());
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(ShownRows(window)[0], "설날|2027-02-05|on|09:00|18:00");
}

// As the festival reminder opens it: modal, saved by the user, then destroyed by its opener.
TEST_F(FestivalHoursWindowTest, ModalOpeningRunsUntilTheSavedMessageIsAcknowledged)
{
    Serve("festival1.asp", {FetchAnswer, SaveAnswer});
    opened = new FestivalHoursWindow;
    QTimer user;
    user.setInterval(20);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (opened->LastRequest() == HoursRequest::Fetch &&
            Find<WebBrowser>(*opened, QStringLiteral("hoursRequests"))->ReadyState() == 4)
            Press(Button(*opened, "saveButton"));
    });
    user.start();
    QTimer::singleShot(10000, opened, &QDialog::reject);

    ShowModal(*opened);
    delete opened;

    EXPECT_TRUE(opened.isNull());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(), SavedMessage);
    EXPECT_EQ(Bodies().size(), 2u);
}

} // namespace

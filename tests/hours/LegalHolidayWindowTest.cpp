#include "hours/LegalHolidayWindow.h"

#include "core/program/DataWindow.h"
#include "core/program/PictureButton.h"
#include "tests/hours/DayHoursFixture.h"

#include <QPointer>
#include <QTest>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using namespace std::string_literals;

const std::string SavedMessage = "법정 공휴일 데이터가 저장되었습니다";

// The fetch: the licence and the empty fields of rows 1 to 5, with the trailing zero byte.
std::string FetchBody(const std::string& license)
{
    return "P_select  =1&P_LICENSE    ="s + license +
           "&P_TIME_S1   =&P_TIME_E1   =&P_TIME_D1   ="
           "&P_TIME_S2   =&P_TIME_E2   =&P_TIME_D2   ="
           "&P_TIME_S3   =&P_TIME_E3   =&P_TIME_D3   ="
           "&P_TIME_S4   =&P_TIME_E4   =&P_TIME_D4   ="
           "&P_TIME_S5   =&P_TIME_E5   =&P_TIME_D5   =" +
           '\0';
}

class LegalHolidayWindowTest : public DayHoursFixture
{
protected:
    ~LegalHolidayWindowTest() override { delete opened; }

    // The window, shown as the main window shows it, once its fetch is answered.
    LegalHolidayWindow& OpenWithAnswers(std::vector<std::string> answers)
    {
        Serve("holiday.asp", std::move(answers));
        opened = new LegalHolidayWindow;
        opened->show();
        EXPECT_TRUE(WaitForAnswers(*opened, 1));
        return *opened;
    }

    QPointer<LegalHolidayWindow> opened; // empty once the window is destroyed
};

struct LicenseCase
{
    const char* name;
    const char* stored; // nullptr: no key in the settings file
    std::string sent;
};

class LegalHolidayFetch : public LegalHolidayWindowTest,
                          public ::testing::WithParamInterface<LicenseCase>
{
};

TEST_P(LegalHolidayFetch, CarriesTheTrimmedLicenceAndFiveEmptyTriples)
{
    if (GetParam().stored)
        SetLicense(QString::fromUtf8(GetParam().stored));
    else
        QFile::remove(ProgramFolder + QStringLiteral("quillane.ini"));

    LegalHolidayWindow& window = OpenWithAnswers({""});

    EXPECT_THAT(Bodies(), ElementsAre(FetchBody(GetParam().sent)));
    EXPECT_EQ(window.LastRequest(), HoursRequest::Fetch);
}

INSTANTIATE_TEST_SUITE_P(
    Licences, LegalHolidayFetch,
    ::testing::Values(LicenseCase{"SurroundingBlanks", " \t12345 ", "12345"},
                      LicenseCase{"FormCharacters", "1+2=3&4%5", "1%2B2%3D3%264%255"},
                      LicenseCase{"Missing", nullptr, ""}),
    [](const ::testing::TestParamInfo<LicenseCase>& param) { return param.param.name; });

// Row 1 loaded as a day off is ticked from 09:00 to the next day's 01:00; row 2 loaded working is
// cleared; rows 3 to 9 never loaded.
TEST_F(LegalHolidayWindowTest, SavesTheUsersEditsAndConfirmsThenCloses)
{
    LegalHolidayWindow& window = OpenWithAnswers({
        "2026똠01똘010000000000신정]2026-03-0110:0018:00삼일절]",
        "2026똠01똘0109:0025:00신정]2026-03-010000000000삼일절]",
    });
    const std::vector<std::string> hidden(7, "-");
    std::vector<std::string> loaded = {"신정|2026똠01똘01|off|00:00|00:00",
                                       "삼일절|2026-03-01|on|10:00|18:00"};
    loaded.insert(loaded.end(), hidden.begin(), hidden.end());
    ASSERT_THAT(ShownRows(window), ElementsAreArray(loaded));

    Click(Row(window, 1).working);
    Pick(Row(window, 1).start, QStringLiteral("09:00"));
    EXPECT_EQ(Row(window, 1).end->currentText(), QStringLiteral("09:30")) << "the next half hour";
    Pick(Row(window, 1).end, QStringLiteral("익일 1시"));
    Click(Row(window, 2).working);
    EXPECT_EQ(ShownRows(window)[1], "삼일절|2026-03-01|off|10:00|18:00");
    Press(Button(window, "saveButton"));

    ASSERT_TRUE(WaitForAnswers(window, 2));
    EXPECT_EQ(Bodies().at(1), "P_select  =2&P_LICENSE    =12345"
                              "&P_TIME_S1   =09:00&P_TIME_E1   =25:00"
                              "&P_TIME_D1   =2026\x8c\x63"
                              "01\xb6\xca"
                              "01"
                              "&P_TIME_S2   =0&P_TIME_E2   =0&P_TIME_D2   =2026-03-01"
                              "&P_TIME_S3   =0&P_TIME_E3   =0&P_TIME_D3   =0"
                              "&P_TIME_S4   =0&P_TIME_E4   =0&P_TIME_D4   =0"
                              "&P_TIME_S5   =0&P_TIME_E5   =0&P_TIME_D5   =0"
                              "&P_TIME_S6   =0&P_TIME_E6   =0&P_TIME_D6   =0"
                              "&P_TIME_S7   =0&P_TIME_E7   =0&P_TIME_D7   =0"
                              "&P_TIME_S8   =0&P_TIME_E8   =0&P_TIME_D8   =0"
                              "&P_TIME_S9   =0&P_TIME_E9   =0&P_TIME_D9   =0"s +
                                  '\0');
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(), SavedMessage);
    EXPECT_EQ(messages[0].caption, QString()) << "the application's title";
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(WaitUntil([this] { return opened.isNull(); })) << "destroyed";
}

TEST_F(LegalHolidayWindowTest, UnloadedRowsAndAStartBeyondTheListGoOutAsTheyShow)
{
    LegalHolidayWindow& window = OpenWithAnswers({"2026-01-0125:0026:30신정]", "내부 서버 오류"});
    ASSERT_EQ(ShownRows(window)[0], "신정|2026-01-01|on||익일 2시 30분");

    Press(Button(window, "saveButton"));

    ASSERT_TRUE(WaitForAnswers(window, 2));
    std::string expected = "P_select  =2&P_LICENSE    =12345"
                           "&P_TIME_S1   =&P_TIME_E1   =26:30&P_TIME_D1   =2026-01-01";
    for (int n = 2; n <= 9; ++n) {
        const std::string row = std::to_string(n);
        expected += "&P_TIME_S" + row + "   =0&P_TIME_E" + row + "   =0&P_TIME_D" + row + "   =0";
    }
    EXPECT_EQ(Bodies().at(1), expected + '\0');
    EXPECT_THAT(messages, IsEmpty()) << "an error page after the save shows nothing";
    EXPECT_FALSE(opened.isNull());
    EXPECT_TRUE(window.isVisible()) << "the user can save again";
    EXPECT_EQ(ShownRows(window)[0], "신정|2026-01-01|on||익일 2시 30분");
}

TEST_F(LegalHolidayWindowTest, ClosesByItsCloseBarOnlyAndIsThenDestroyed)
{
    LegalHolidayWindow& window = OpenWithAnswers({""});
    ShowDataWindow(opened);
    QCoreApplication::processEvents();
    EXPECT_EQ(Bodies().size(), 1u) << "an open window is only brought to the front";
    QTest::keyClick(&window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(opened.isNull()) << "Escape does not close the window";

    Press(Button(window, "closeBar"));

    EXPECT_TRUE(WaitUntil([this] { return opened.isNull(); }));
}

TEST_F(LegalHolidayWindowTest, StartsWithTheRowsHiddenAndTheirDesignCaptions)
{
    LegalHolidayWindow window;
    EXPECT_THAT(ShownRows(window), ElementsAreArray(std::vector<std::string>(9, "-")));
    EXPECT_EQ(Row(window, 4).name->text(), QStringLiteral("석가탄신일:"));
    EXPECT_EQ(Row(window, 9).end->count(), 61);
    EXPECT_EQ(Row(window, 9).start->count(), 49);
    EXPECT_FALSE(Find<QLabel>(window, QStringLiteral("hiddenRowsNote"))->isHidden());
    EXPECT_FALSE(Find<QLabel>(window, QStringLiteral("hiddenRowsNoteEnd"))->isHidden());
}

// What an earlier answer showed there is not kept: the rows would hold another day's hours.
TEST_F(LegalHolidayWindowTest, AnUnreadableRecordHidesItsRowAndTheRowsAfterIt)
{
    LegalHolidayWindow window;
    const QString url = QStringLiteral("http://host/Quillane/holiday.asp");
    window.AnswerArrived(HoursRequest::Fetch, url,
                         QStringLiteral("2026-01-010000000000신정]2026-03-0109:0018:00삼일절]"
                                        "2026-05-0509:0018:00어린이날"));

    window.AnswerArrived(HoursRequest::Save, url,
                         QStringLiteral("2026-01-0110:0011:00신정]2026-03-01aa:bb18:00삼일절]"
                                        "2026-05-050000000000어린이날"));

    EXPECT_THAT(ShownRows(window), ElementsAre("신정|2026-01-01|on|10:00|11:00", "-", "-", "-", "-",
                                               "-", "-", "-", "-"));
    ASSERT_EQ(messages.size(), 1u) << "the warning only, no saved message";
    EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
    EXPECT_EQ(window.Fetched(), FetchState::Failed);
}

// A name the service sends is shown as it is, never read as markup.
TEST_F(LegalHolidayWindowTest, NamesAreShownAsText)
{
    LegalHolidayWindow window;
    window.AnswerArrived(
        HoursRequest::Fetch, QStringLiteral("http://host/Quillane/holiday.asp"),
        QStringLiteral("2026-06-0309:0018:00<font color=red size=7>지방선거</font>"));
    const QLabel& name = *Row(window, 1).name;
    EXPECT_EQ(name.text(), QStringLiteral("<font color=red size=7>지방선거</font>"));
    EXPECT_EQ(name.textFormat(), Qt::PlainText);
}

TEST_F(LegalHolidayWindowTest, ACompletionWithoutAddressIsIgnored)
{
    LegalHolidayWindow window;
    window.AnswerArrived(HoursRequest::Save, QString(), QStringLiteral("2026-01-010000000000신정"));

    EXPECT_EQ(ShownRows(window)[0], "-");
    EXPECT_THAT(messages, IsEmpty());
}

} // namespace

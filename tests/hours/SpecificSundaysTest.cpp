#include "hours/SpecificSundays.h"

#include "tests/hours/WeeklyHoursWindowFixture.h"

#include <QDate>

namespace {

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items.append(list->item(row)->text());
    return items;
}

// What the section's page handling is given when the list's answer completes.
void SundayAnswerArrives(WeeklyHoursWindow* window, const QString& text)
{
    Find<SpecificSundays>(*window, QStringLiteral("specificSundays"))
        ->AnswerArrived(BaseUrl + QStringLiteral("SunDay.asp"), text);
}

struct ListCase
{
    const char* name;
    const char* answer;
    std::vector<const char*> items;
};

class SundayAnswers : public WeeklyHoursWindowTest, public ::testing::WithParamInterface<ListCase>
{
};

// Every answer rebuilds the list and puts the date box and the lists back to the next Sunday and
// "00:00".
TEST_P(SundayAnswers, RebuildTheList)
{
    Control<QListWidget>("sundayList")->addItem(QStringLiteral("an item of an earlier answer"));
    Control<QDateEdit>("sundayDate")->setDate(QDate(2020, 1, 5));
    Control<QComboBox>("sundayStart")->setCurrentIndex(5);
    Control<QComboBox>("sundayEnd")->setCurrentIndex(7);

    SundayAnswerArrives(window, QString::fromUtf8(GetParam().answer));

    QStringList expected;
    for (const char* item : GetParam().items)
        expected.append(QString::fromUtf8(item));
    EXPECT_EQ(Items(Control<QListWidget>("sundayList")), expected);
    EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), NextSunday());
    EXPECT_EQ(Control<QComboBox>("sundayStart")->currentText(), QStringLiteral("00:00"));
    EXPECT_EQ(Control<QComboBox>("sundayEnd")->currentText(), QStringLiteral("00:00"));
    EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SundayAnswers,
    ::testing::Values(ListCase{"OneRecord",
                               "2017-05-0709:0013:00",
                               {"근무일자 :2017-05-07 근무시작 :09:00 근무종료 :13:00"}},
                      ListCase{"EmptyRecordsAddNothing",
                               " 2017-05-0709:0013:00 ]]\r\n2017-05-1410:00익일 1]",
                               {"근무일자 :2017-05-07 근무시작 :09:00 근무종료 :13:00",
                                "근무일자 :2017-05-14 근무시작 :10:00 근무종료 :익일 1"}},
                      ListCase{"RecordsShorterThanTheirLayout",
                               "2017-05-2109:00]2017-05",
                               {"근무일자 :2017-05-21 근무시작 :09:00 근무종료 :",
                                "근무일자 :2017-05 근무시작 : 근무종료 :"}},
                      ListCase{"NoDates", "", {}}),
    [](const ::testing::TestParamInfo<ListCase>& param) { return param.param.name; });

TEST_F(WeeklyHoursWindowTest, AnItemHoldsDateStartAndEndAtTheirCharacters)
{
    SundayAnswerArrives(window, QStringLiteral("2017-05-0709:0013:00"));
    const QString item = Control<QListWidget>("sundayList")->item(0)->text();
    EXPECT_EQ(item.mid(6, 10), QStringLiteral("2017-05-07"));
    EXPECT_EQ(item.mid(23, 5), QStringLiteral("09:00"));
    EXPECT_EQ(item.mid(35, 5), QStringLiteral("13:00"));
}

TEST_F(WeeklyHoursWindowTest, AnErrorPageEmptiesTheListAndKeepsTheDateAndTimes)
{
    SundayAnswerArrives(window, QStringLiteral("2017-05-0709:0013:00"));
    Control<QDateEdit>("sundayDate")->setDate(QDate(2020, 1, 5));
    Control<QComboBox>("sundayStart")->setCurrentIndex(5);
    Control<QComboBox>("sundayEnd")->setCurrentIndex(7);

    SundayAnswerArrives(window, QStringLiteral("표시할 페이지가 없습니다"));

    EXPECT_EQ(Control<QListWidget>("sundayList")->count(), 0);
    EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), QDate(2020, 1, 5));
    EXPECT_EQ(Control<QComboBox>("sundayStart")->currentIndex(), 5);
    EXPECT_EQ(Control<QComboBox>("sundayEnd")->currentIndex(), 7);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WeeklyHoursWindowTest, TheDateBoxStartsOnTheNextSunday)
{
    const QDate today = QDate::currentDate();
    EXPECT_EQ(NextSunday().dayOfWeek(), Qt::Sunday);
    EXPECT_GE(today.daysTo(NextSunday()), 0);
    EXPECT_LT(today.daysTo(NextSunday()), 7);
    Control<QDateEdit>("sundayDate")->setDate(QDate(2020, 1, 3));
    window->show();
    EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), NextSunday());
}

// Clicking an item puts its date and times back, an end after midnight as its next-day item; a
// time no list holds leaves that list without a selection; an item whose date cannot be read
// warns and changes nothing.
TEST_F(WeeklyHoursWindowTest, ClickingAnItemReadsItsDateAndTimesBack)
{
    SundayAnswerArrives(window, QStringLiteral("2017-05-0709:0013:00]2017-05-1410:3099:99]"
                                               "2017-05-2122:0025:00]2017-05-2823:3024:30]"
                                               "2017-06-0420:0030:00]2017-06-1125:0026:00]"
                                               "2017-5-7"));
    const struct
    {
        int row;
        QDate date;
        const char* start;
        int endIndex;
    } cases[] = {{0, QDate(2017, 5, 7), "09:00", 26},  {1, QDate(2017, 5, 14), "10:30", -1},
                 {2, QDate(2017, 5, 21), "22:00", 50}, {3, QDate(2017, 5, 28), "23:30", 49},
                 {4, QDate(2017, 6, 4), "20:00", 60},  {5, QDate(2017, 6, 11), "", 52}};
    QListWidget* list = Control<QListWidget>("sundayList");
    window->show();
    for (const auto& click : cases) {
        QListWidgetItem* item = list->item(click.row);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), click.date);
        EXPECT_EQ(Control<QComboBox>("sundayStart")->currentText().toStdString(), click.start);
        EXPECT_EQ(Control<QComboBox>("sundayEnd")->currentIndex(), click.endIndex);
    }
    EXPECT_TRUE(messages.empty());

    list->setCurrentRow(6); // chosen as with the keys: read back once
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), QDate(2017, 6, 11));
    EXPECT_EQ(Control<QComboBox>("sundayEnd")->currentText(), QStringLiteral("익일 2시"));
}

// Moving through the list with the arrow keys loads each item as a click does.
TEST_F(WeeklyHoursWindowTest, ChoosingAnItemWithTheKeysReadsItBack)
{
    SundayAnswerArrives(window, QStringLiteral("2017-05-0709:0013:00]2017-05-2122:0025:00"));
    window->show();
    Control<QListWidget>("sundayList")->setFocus();
    Control<QListWidget>("sundayList")->setCurrentRow(0);
    QTest::keyClick(Control<QListWidget>("sundayList"), Qt::Key_Down);
    EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), QDate(2017, 5, 21));
    EXPECT_EQ(Control<QComboBox>("sundayStart")->currentText(), QStringLiteral("22:00"));
    EXPECT_EQ(Control<QComboBox>("sundayEnd")->currentText(), QStringLiteral("익일 1시"));
    QTest::keyClick(Control<QListWidget>("sundayList"), Qt::Key_Up);
    EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), QDate(2017, 5, 7));
    EXPECT_EQ(Control<QComboBox>("sundayEnd")->currentText(), QStringLiteral("13:00"));
    EXPECT_TRUE(messages.empty());
}

// A date on the grid that ends after midnight, chosen and saved again unchanged, goes out with
// its next-day end, never an empty one.
TEST_F(WeeklyHoursWindowTest, ASundayEndingAfterMidnightIsSavedAgainWithItsEnd)
{
    ShowAndWaitForRows();
    SetAnswers(weeklyAnswer, QStringLiteral("2017-05-2122:0025:00"));
    SundayAnswerArrives(window, QStringLiteral("2017-05-2122:0025:00"));
    Control<QListWidget>("sundayList")->setCurrentRow(0);
    Control<QPushButton>("saveSundayButton")->click();
    ASSERT_TRUE(WaitForBodies("SunDay.asp", 2));
    EXPECT_EQ(Bodies("SunDay.asp").back(),
              std::string("P_select  =2&P_LICENSE    =12345&P_e_day    =2017-05-21&P_time1_s   "
                          "=22:00&P_time1_e   =\xc0\xcd\xc0\xcf\x20\x31\xbd\xc3") +
                  '\0');
    EXPECT_TRUE(messages.empty());
}

struct RefusalCase
{
    const char* name;
    QDate day;
    int start;
    int end;
    const char* message;
};

class SundayRefusals : public WeeklyHoursWindowTest,
                       public ::testing::WithParamInterface<RefusalCase>
{
};

// A date that is not a Sunday, an end equal to the start or no end at all is refused with a
// warning and nothing is sent.
TEST_P(SundayRefusals, SendNothing)
{
    ShowAndWaitForRows();
    Control<QDateEdit>("sundayDate")->setDate(GetParam().day);
    Control<QComboBox>("sundayStart")->setCurrentIndex(GetParam().start);
    Control<QComboBox>("sundayEnd")->setCurrentIndex(GetParam().end);
    Control<QPushButton>("saveSundayButton")->click();
    QTest::qWait(200);
    EXPECT_EQ(Bodies("SunDay.asp").size(), 1u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(), GetParam().message);
    EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SundayRefusals,
    ::testing::Values(
        RefusalCase{"Friday", QDate(2017, 5, 5), 18, 26, "일요일 날짜만 저장할 수 있습니다"},
        RefusalCase{"Saturday", QDate(2017, 5, 6), 18, 26, "일요일 날짜만 저장할 수 있습니다"},
        RefusalCase{"FridayMidnightToMidnight", QDate(2017, 5, 5), 0, 0,
                    "일요일 날짜만 저장할 수 있습니다"},
        RefusalCase{"EndEqualToStart", QDate(2017, 5, 7), 0, 0,
                    "근무시작과 근무종료 시간이 같습니다"},
        RefusalCase{"NoEnd", QDate(2017, 5, 7), 18, -1, "근무종료 시간을 선택해 주십시오"}),
    [](const ::testing::TestParamInfo<RefusalCase>& param) { return param.param.name; });

// 저장 sends the date and the times as shown, a next-day end as its own text; 삭제 sends nothing
// without a selected item, else the item's date; every answer reloads the list.
TEST_F(WeeklyHoursWindowTest, SaveAndDeleteSendTheSectionsRequests)
{
    ShowAndWaitForRows();
    SetAnswers(weeklyAnswer, QStringLiteral("2017-05-0709:0026:00"));
    Control<QDateEdit>("sundayDate")->setDate(QDate(2017, 5, 7));
    Control<QComboBox>("sundayStart")
        ->setCurrentIndex(Control<QComboBox>("sundayStart")->findText(QStringLiteral("09:00")));
    Control<QComboBox>("sundayEnd")
        ->setCurrentIndex(Control<QComboBox>("sundayEnd")->findText(QStringLiteral("익일 2시")));
    Control<QPushButton>("saveSundayButton")->click();
    ASSERT_TRUE(WaitForBodies("SunDay.asp", 2));
    EXPECT_EQ(Bodies("SunDay.asp").back(),
              std::string("P_select  =2&P_LICENSE    =12345&P_e_day    =2017-05-07&P_time1_s   "
                          "=09:00&P_time1_e   =\xc0\xcd\xc0\xcf\x20\x32\xbd\xc3") +
                  '\0');
    EXPECT_EQ(Items(Control<QListWidget>("sundayList")),
              QStringList{QStringLiteral("근무일자 :2017-05-07 근무시작 :09:00 근무종료 :26:00")});
    EXPECT_EQ(Control<QDateEdit>("sundayDate")->date(), NextSunday());

    Control<QListWidget>("sundayList")->clearSelection();
    Control<QPushButton>("deleteSundayButton")->click();
    QTest::qWait(100);
    EXPECT_EQ(Bodies("SunDay.asp").size(), 2u) << "no item selected, nothing sent";

    SetAnswers(weeklyAnswer, QString());
    Control<QListWidget>("sundayList")->setCurrentRow(0);
    Control<QPushButton>("deleteSundayButton")->click();
    ASSERT_TRUE(WaitForBodies("SunDay.asp", 3));
    EXPECT_EQ(Bodies("SunDay.asp").back(),
              std::string("P_select  =3&P_LICENSE    =12345&P_e_day    =2017-05-07&P_time1_s   "
                          "=&P_time1_e   =") +
                  '\0');
    EXPECT_EQ(Control<QListWidget>("sundayList")->count(), 0);
    EXPECT_TRUE(messages.empty());
}

} // namespace

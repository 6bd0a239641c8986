#include "NormalWindowFixture.h"

#include <QDate>

namespace {

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items.append(list->item(row)->text());
    return items;
}

void SundayAnswerArrives(Tfrm_normal* window, const QString& text)
{
    window->SundayAnswerArrived(BaseUrl + QStringLiteral("SunDay.asp"), text);
}

struct ListCase
{
    const char* name;
    const char* answer;
    std::vector<const char*> items;
};

class SundayAnswers : public NormalWindow, public ::testing::WithParamInterface<ListCase>
{
};

// Every answer rebuilds the list and puts the date box and the lists back to today and "00:00".
TEST_P(SundayAnswers, RebuildTheList)
{
    window->ListBox1->addItem(QStringLiteral("an item of an earlier answer"));
    window->DateTimePicker1->setDate(QDate(2020, 1, 5));
    window->ComboBox1->setCurrentIndex(5);
    window->ComboBox2->setCurrentIndex(7);

    SundayAnswerArrives(window, QString::fromUtf8(GetParam().answer));

    QStringList expected;
    for (const char* item : GetParam().items)
        expected.append(QString::fromUtf8(item));
    EXPECT_EQ(Items(window->ListBox1), expected);
    EXPECT_EQ(window->DateTimePicker1->date(), QDate::currentDate());
    EXPECT_EQ(window->ComboBox1->currentText(), QStringLiteral("00:00"));
    EXPECT_EQ(window->ComboBox2->currentText(), QStringLiteral("00:00"));
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

TEST_F(NormalWindow, AnItemHoldsDateStartAndEndAtTheirCharacters)
{
    SundayAnswerArrives(window, QStringLiteral("2017-05-0709:0013:00"));
    const QString item = window->ListBox1->item(0)->text();
    EXPECT_EQ(item.mid(6, 10), QStringLiteral("2017-05-07"));
    EXPECT_EQ(item.mid(23, 5), QStringLiteral("09:00"));
    EXPECT_EQ(item.mid(35, 5), QStringLiteral("13:00"));
}

TEST_F(NormalWindow, AnErrorPageEmptiesTheListAndKeepsTheDateAndTimes)
{
    SundayAnswerArrives(window, QStringLiteral("2017-05-0709:0013:00"));
    window->DateTimePicker1->setDate(QDate(2020, 1, 5));
    window->ComboBox1->setCurrentIndex(5);
    window->ComboBox2->setCurrentIndex(7);

    SundayAnswerArrives(window, QStringLiteral("표시할 페이지가 없습니다"));

    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_EQ(window->DateTimePicker1->date(), QDate(2020, 1, 5));
    EXPECT_EQ(window->ComboBox1->currentIndex(), 5);
    EXPECT_EQ(window->ComboBox2->currentIndex(), 7);
    EXPECT_TRUE(messages.empty());
}

// Clicking an item puts its date and times back; a time no list holds leaves that list without
// a selection; an item whose date cannot be read warns and changes nothing.
TEST_F(NormalWindow, ClickingAnItemReadsItsDateAndTimesBack)
{
    SundayAnswerArrives(window,
                        QStringLiteral("2017-05-0709:0013:00]2017-05-1410:3099:99]2017-5-7"));
    const struct
    {
        int row;
        QDate date;
        const char* start;
        int endIndex;
    } cases[] = {{0, QDate(2017, 5, 7), "09:00", 26}, {1, QDate(2017, 5, 14), "10:30", -1}};
    for (const auto& click : cases) {
        window->ListBox1->setCurrentRow(click.row);
        window->ListBox1Click();
        EXPECT_EQ(window->DateTimePicker1->date(), click.date);
        EXPECT_EQ(window->ComboBox1->currentText().toStdString(), click.start);
        EXPECT_EQ(window->ComboBox2->currentIndex(), click.endIndex);
    }
    EXPECT_TRUE(messages.empty());

    window->ListBox1->setCurrentRow(2);
    window->ListBox1Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(window->DateTimePicker1->date(), QDate(2017, 5, 14));
    EXPECT_EQ(window->ComboBox1->currentText(), QStringLiteral("10:30"));
}

// 저장 sends the date and the times as shown, a next-day end as its own text; 삭제 sends nothing
// without a selected item, else the item's date; every answer reloads the list.
TEST_F(NormalWindow, SaveAndDeleteSendTheSectionsRequests)
{
    ShowAndWaitForRows();
    SetAnswers(weeklyAnswer, QStringLiteral("2017-05-0709:0026:00"));
    window->DateTimePicker1->setDate(QDate(2017, 5, 7));
    window->ComboBox1->setCurrentIndex(window->ComboBox1->findText(QStringLiteral("09:00")));
    window->ComboBox2->setCurrentIndex(window->ComboBox2->findText(QStringLiteral("익일 2시")));
    window->Button1->click();
    ASSERT_TRUE(WaitForBodies("SunDay.asp", 2));
    EXPECT_EQ(Bodies("SunDay.asp").back(),
              std::string("P_select  =2&P_LICENSE    =12345&P_e_day    =2017-05-07&P_time1_s   "
                          "=09:00&P_time1_e   =\xc0\xcd\xc0\xcf\x20\x32\xbd\xc3") +
                  '\0');
    EXPECT_EQ(Items(window->ListBox1),
              QStringList{QStringLiteral("근무일자 :2017-05-07 근무시작 :09:00 근무종료 :26:00")});
    EXPECT_EQ(window->DateTimePicker1->date(), QDate::currentDate());

    window->ListBox1->clearSelection();
    window->Button2->click();
    QTest::qWait(100);
    EXPECT_EQ(Bodies("SunDay.asp").size(), 2u) << "no item selected, nothing sent";

    SetAnswers(weeklyAnswer, QString());
    window->ListBox1->setCurrentRow(0);
    window->Button2->click();
    ASSERT_TRUE(WaitForBodies("SunDay.asp", 3));
    EXPECT_EQ(Bodies("SunDay.asp").back(),
              std::string("P_select  =3&P_LICENSE    =12345&P_e_day    =2017-05-07&P_time1_s   "
                          "=&P_time1_e   =") +
                  '\0');
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_TRUE(messages.empty());
}

} // namespace

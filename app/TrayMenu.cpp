#include "app/TrayMenu.h"

TrayMenu::TrayMenu(QWidget* parent) : QMenu(parent)
{
    AddEntry(QStringLiteral("mainScreenEntry"), QStringLiteral("메인화면"),
             &TrayMenu::MainScreenChosen);
    AddEntry(QStringLiteral("basicInfoEntry"), QStringLiteral("기본정보입력"),
             &TrayMenu::BasicInfoChosen);
    AddEntry(QStringLiteral("weeklyHoursEntry"), QStringLiteral("정상근무시간입력"),
             &TrayMenu::WeeklyHoursChosen);
    AddEntry(QStringLiteral("legalHolidayHoursEntry"), QStringLiteral("법정공휴일근무시간입력"),
             &TrayMenu::LegalHolidayHoursChosen);
    AddEntry(QStringLiteral("festivalHoursEntry"), QStringLiteral("명절근무시간입력"),
             &TrayMenu::FestivalHoursChosen);
    AddEntry(QStringLiteral("homePageEntry"), QStringLiteral("홈페이지 바로가기"),
             &TrayMenu::HomePageChosen);
    AddEntry(QStringLiteral("exitEntry"), QStringLiteral("끝내기"), &TrayMenu::ExitChosen);
}

void TrayMenu::AddEntry(const QString& objectName, const QString& caption,
                        void (TrayMenu::*chosen)())
{
    QAction* entry = addAction(caption);
    entry->setObjectName(objectName);
    connect(entry, &QAction::triggered, this, chosen);
}

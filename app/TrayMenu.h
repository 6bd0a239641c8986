#pragma once

#include <QMenu>

// The tray icon's menu: the main screen, the four data-entry windows, the association's home
// page and the exit, in this order. Captions carry no mnemonics. Each entry's action has an
// object name ("mainScreenEntry", ..., "exitEntry").
class TrayMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TrayMenu(QWidget* parent = nullptr);

signals:
    void MainScreenChosen();
    void BasicInfoChosen();
    void WeeklyHoursChosen();
    void LegalHolidayHoursChosen();
    void FestivalHoursChosen();
    void HomePageChosen();
    void ExitChosen();

private:
    void AddEntry(const QString& objectName, const QString& caption, void (TrayMenu::*chosen)());
};

#pragma once

#include <QMenu>

// The tray icon's menu, entries in their order. Captions carry no mnemonics.
class TrayMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TrayMenu(QWidget* parent = nullptr);

    QAction* POS1; // hidden, no action
    QAction* N1;   // main screen
    QAction* N2;   // basic information
    QAction* N3;   // weekly hours
    QAction* N4;   // legal-holiday hours
    QAction* N5;   // festival hours
    QAction* N7;   // home page
    QAction* N6;   // exit
};

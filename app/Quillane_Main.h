#pragma once

#include <QWidget>

// The main window: start-up sequence, sign-in, tray, presence reports.
class Tfrm_Quillane_Main : public QWidget
{
    Q_OBJECT

public:
    explicit Tfrm_Quillane_Main(QWidget* parent = nullptr);
};

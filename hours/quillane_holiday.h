#pragma once

#include <QDialog>
#include <QPointer>

// The legal-holiday window: whether and when the pharmacy opens on each legal holiday the service
// lists.
class Tfrm_holiday : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_holiday(QWidget* parent = nullptr);
};

// The program-wide legal-holiday window; empty until opened, cleared when it is destroyed.
inline QPointer<Tfrm_holiday> frm_holiday;

#pragma once

#include <QDialog>
#include <QPointer>

// The weekly-hours window with the specific Sundays: fetches the registered hours from the service,
// lets the pharmacy change them and sends them back.
class Tfrm_normal : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_normal(QWidget* parent = nullptr);
};

// The one reused weekly-hours window of the main window and the tray; empty until opened.
inline QPointer<Tfrm_normal> frm_normal;

#pragma once

#include <QDialog>
#include <QPointer>

// The legal-holiday reminder: asks whether the pharmacy works on the coming legal holiday.
class Tfrm_holmsg : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_holmsg(QWidget* parent = nullptr);
};

// The legal-holiday reminder while it is shown.
inline QPointer<Tfrm_holmsg> frm_holmsg;

#pragma once

#include <QDialog>
#include <QPointer>

// The festival window: the pharmacy's hours on the days of the coming lunar festival.
class Tfrm_fastival : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_fastival(QWidget* parent = nullptr);
};

// The program-wide festival window; empty until opened, cleared when it is destroyed.
inline QPointer<Tfrm_fastival> frm_fastival;

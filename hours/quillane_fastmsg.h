#pragma once

#include <QDialog>
#include <QPointer>

// The festival reminder: asks whether the pharmacy works on the coming festival.
class Tfrm_fastmsg : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_fastmsg(QWidget* parent = nullptr);
};

// The festival reminder while it is shown.
inline QPointer<Tfrm_fastmsg> frm_fastmsg;

#pragma once

#include <QDialog>
#include <QPointer>

// The basic-information window: the pharmacy's basic information, the identity check and the
// registration with the service. Opened modeless and reused from the main window and the tray,
// modal at the first sign-in and when the service does not know this computer.
class Tfrm_Kibon : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_Kibon(QWidget* parent = nullptr);
};

// The one reused basic-information window of the main window and the tray; empty until opened.
inline QPointer<Tfrm_Kibon> frm_Kibon;

#pragma once

#include <QDialog>
#include <QPointer>

// The postal-code search: finds a district or village in the local postal table and writes the
// chosen code and address into the basic-information window.
class Tfrm_zipcode : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_zipcode(QWidget* parent = nullptr);
};

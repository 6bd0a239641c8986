#pragma once

#include <QDialog>
#include <QLabel>

// The borderless progress strip of the update, also the banner of the import from the
// management database: two pictures that fill it, both hidden; a user of the window shows one.
class Tfrm_Update : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_Update(QWidget* parent = nullptr);

    QLabel* Image1 = new QLabel(this); // the update in progress
    QLabel* Image2 = new QLabel(this); // basic information being fetched from the management system
};

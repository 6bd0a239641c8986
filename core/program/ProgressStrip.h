#pragma once

#include <QDialog>

class QLabel;

// The borderless 567 x 40 strip that tells the user to wait: the automatic update in progress,
// or the basic information being fetched from the management system. Both pictures fill it; the
// user of the strip shows one of them.
class ProgressStrip : public QDialog
{
    Q_OBJECT

public:
    explicit ProgressStrip(QWidget* parent = nullptr);

    // "The program's automatic update is in progress (about one minute)".
    void ShowUpdatePicture();
    // "The basic information is being fetched from the management system; please wait".
    void ShowImportPicture();

private:
    QLabel* updatePicture_;
    QLabel* importPicture_;
};

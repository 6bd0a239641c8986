#pragma once

#include <QDialog>

class QLabel;

// The notice that this computer is not registered with the service: a borderless picture with
// one picture button, 확인, that closes it.
class UnregisteredComputerNotice : public QDialog
{
    Q_OBJECT

public:
    explicit UnregisteredComputerNotice(QWidget* parent = nullptr);

    QLabel* Image1; // the notice
    QLabel* Image2; // the 확인 button

    // Closes the notice.
    void Image2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

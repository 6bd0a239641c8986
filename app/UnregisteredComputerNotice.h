#pragma once

#include <QDialog>

class QLabel;

// The notice that this computer is not registered with the service: a borderless picture
// ("notice") with one picture button, 확인 ("okButton"), that closes it.
class UnregisteredComputerNotice : public QDialog
{
    Q_OBJECT

public:
    explicit UnregisteredComputerNotice(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* okButton_;
};

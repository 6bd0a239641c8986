#pragma once

#include "SingleInstance.h"
#include "WebBrowser.h"

#include <QTimer>
#include <QWidget>

class QCloseEvent;

// The main window: start-up sequence, sign-in, tray, presence reports. It closes only while
// CloseAllowed is yes, and reports "off" on its way out.
class Tfrm_Quillane_Main : public QWidget
{
    Q_OBJECT

public:
    explicit Tfrm_Quillane_Main(QWidget* parent = nullptr);

    // Brings the main screen up: 312 x 312, centred on the screen, shown and raised.
    void ShowMainScreen();

    // Posts a presence report with the flag ("on", "wai", "off") to "TimeCheck.asp"; the answer
    // is not looked at.
    void SendPresence(const QString& flag);

    // A request from outside the program: a later start, a tray-style notification.
    void InstanceRequestReceived(platform::InstanceRequest request);

    // The session is ending: closing is allowed and the close query answers.
    bool SessionEndQuery();
    // The session ends (the close follows the query) or its end was cancelled (closing is
    // refused again).
    void SessionEnd(bool ends);

    WebBrowser WebBrowser1{QStringLiteral("WebBrowser1")}; // sign-in
    WebBrowser WebBrowser2{QStringLiteral("WebBrowser2")}; // presence reports
    QTimer tmRoutine;                                      // presence timer, 1000 ms
    QTimer Timer1;                                         // never started

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool FormCloseQuery();
    void FormClose();
};

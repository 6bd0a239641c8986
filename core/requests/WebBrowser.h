#pragma once

#include <QObject>
#include <QString>
#include <memory>

// The stand-in for an embedded browser control: one object per exchange (the sign-in, ...).
// Navigation runs on the shared network thread, so a request leaves and its answer arrives even
// while the user-interface thread is blocked in one of the program's fixed waits; completion is
// delivered to the owner's thread as DocumentComplete, carrying the final document address.
class WebBrowser : public QObject
{
    Q_OBJECT

public:
    // The name is the object's name.
    explicit WebBrowser(const QString& name, QObject* parent = nullptr);
    ~WebBrowser() override;

    // Navigates with a POST of exactly postData; a navigation under way is abandoned, so only
    // the last request completes. headers is the control's additional-header text.
    void Navigate(const QString& url, const QByteArray& postData, const QByteArray& headers);

    // 0 uninitialised, 1 loading, 4 complete (the browser control's READYSTATE values).
    int ReadyState() const;

    // The last completed document: its address and its text as a browser renders it.
    QString LocationUrl() const;
    QString DocumentText() const;

signals:
    void DocumentComplete(const QString& url);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Posts body (converted to code page 949, one zero byte appended) to BaseUrl + pageName
// through the control. Returns at once; the answer arrives as the control's DocumentComplete.
void PostPage(WebBrowser& browser, const QString& pageName, const QString& body);

// The text of the control's completed page.
QString PageText(const WebBrowser& browser);

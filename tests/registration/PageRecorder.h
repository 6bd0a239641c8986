#pragma once

#include <QByteArray>
#include <QString>
#include <httplib.h>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback stand-in for the service pages of the basic-information window: every page under
// /Quillane/ records the bodies posted to it and answers the text set for it (UTF-8, as the
// body of an HTML page).
class PageRecorder
{
public:
    PageRecorder();
    ~PageRecorder();

    // "http://127.0.0.1:port/Quillane/".
    QString BaseUrl() const;

    // The page's answer from now on; status other than 200 answers an error page.
    void SetAnswer(const std::string& page, const std::string& text, int status = 200);

    // The bodies posted to the page so far, in arrival order.
    std::vector<QByteArray> Bodies(const std::string& page);

private:
    struct Answer
    {
        std::string text;
        int status = 200;
    };

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<std::pair<std::string, QByteArray>> bodies_;
};

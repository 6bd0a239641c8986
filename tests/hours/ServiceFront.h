#pragma once

#include "../core/LoopbackServer.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A loopback front of the reference service: every request is passed on to the service and its
// answer passed back, except that a chosen page may hold its answers for a while, fail, or answer
// texts of the test's own, so that a test can act while a window's fetch is under way, after it
// failed, or after answers the service's data cannot give.
class ServiceFront
{
public:
    explicit ServiceFront(const QString& serviceHost);

    // host:port of the front, for QUILLANE_SERVICE_HOST.
    QString Host() const;

    // The page's next answers come this much later.
    void Hold(const std::string& page, std::chrono::milliseconds pause);
    // The page's next answers are a server's error page (status 500), the service not asked.
    void Fail(const std::string& page, bool fail);
    // The page answers these texts in turn, the last one again for later requests, instead of
    // the service.
    void Answer(const std::string& page, std::vector<QString> texts);

    // The bodies posted to the page, as they arrived.
    std::vector<QByteArray> Bodies(const std::string& page) const;

private:
    void Pass(const httplib::Request& request, httplib::Response& response);

    std::string serviceHost_;
    int servicePort_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, std::chrono::milliseconds> holds_;
    std::map<std::string, bool> failures_;
    std::map<std::string, std::vector<QString>> answers_;
    std::map<std::string, std::size_t> answered_;
    LoopbackServer server_;
};

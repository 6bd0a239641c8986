#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <httplib.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback stand-in for the service that records the bodies posted to "TimeCheck.asp" and the
// path of every request, and answers the connectivity test.
class TimeCheckRecorder
{
public:
    TimeCheckRecorder();
    ~TimeCheckRecorder();

    // "127.0.0.1:port", for BaseUrl and the QUILLANE_*_HOST variables.
    QString Host() const;
    QString BaseUrl() const;

    // Waits, within the bound, until at least count bodies have arrived.
    bool WaitForBodies(std::size_t count,
                       std::chrono::milliseconds bound = std::chrono::seconds(10));

    // Waits, within the bound, until a request for path (e.g. "/Quillane/ComCheck2.asp") has been
    // answered, whatever its answer.
    bool WaitForRequest(const std::string& path,
                        std::chrono::milliseconds bound = std::chrono::seconds(10));

    // Stops listening, after the requests already taken are answered.
    void Stop();

    std::vector<std::string> Bodies();

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::string> bodies_;
    std::vector<std::string> paths_;
};

// A presence report body as the service receives it: the fields, the local time and the flag,
// with the trailing zero byte.
std::string PresencePattern(const std::string& comName, const std::string& paLicense,
                            const std::string& flag);

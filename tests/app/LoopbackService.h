#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <httplib.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback stand-in for the association's servers: the connectivity page answers "NORMAL"
// unless told otherwise, "ComCheck2.asp" forwards (302) to a result page that shows the configured
// sign-in answer, and every page records the bodies posted to it.
class LoopbackService
{
public:
    LoopbackService();
    ~LoopbackService();

    // "127.0.0.1:port", for the QUILLANE_*_HOST variables; BaseUrl() is "http://" + it +
    // "/Quillane/".
    QString Host() const;
    QString BaseUrl() const;

    // The connectivity page's text; each of its requests is recorded as an empty body.
    void SetConnectivityAnswer(const std::string& text);
    // The text of the page "ComCheck2.asp" forwards to.
    void SetSignInAnswer(const std::string& text);
    // Answer "ComCheck2.asp" itself with this page instead of forwarding (e.g. a server error).
    void SetSignInPage(int status, const std::string& text);

    // Waits, within the bound, until at least count bodies have arrived at the page.
    bool WaitForBodies(const std::string& page, std::size_t count,
                       std::chrono::milliseconds bound = std::chrono::seconds(10));
    std::vector<std::string> Bodies(const std::string& page);

    // Stops listening, after the requests already taken are answered.
    void Stop();

private:
    void Record(const std::string& page, const std::string& body);

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::pair<std::string, std::string>> bodies_;
    std::string connectivityAnswer_ = "NORMAL";
    std::string signInAnswer_ = "Y";
    int signInStatus_ = 0;
    std::string signInPage_;
};

// The sign-in body as the service receives it, with the trailing zero byte.
std::string SignInBody(const std::string& paName, const std::string& paLicense,
                       const std::string& comName);

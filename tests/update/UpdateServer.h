#pragma once

#include <QString>
#include <httplib.h>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback update server: the update list and the files under /Update, answered from what the
// test puts in; every request is recorded with its headers and body. A test may replace the
// answer of one path with a handler of its own. A form posted to any page (the program's reports
// to the service on the same host) is recorded and answered with "Y".
class UpdateServer
{
public:
    struct Request
    {
        std::string target;
        httplib::Headers headers;
    };

    UpdateServer();
    ~UpdateServer();

    // "127.0.0.1:port"; "http://" + Host() is the server's address.
    QString Host() const;

    void SetList(const std::string& text);
    void SetFile(const std::string& name, const std::string& content);
    void SetHandler(const std::string& path, httplib::Server::Handler handler);

    std::vector<Request> Requests();
    // The targets asked for, in order.
    std::vector<std::string> Targets();
    // The bodies posted to the page's path (e.g. "/Quillane/TimeCheck.asp"), in order.
    std::vector<std::string> Bodies(const std::string& page);

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::string list_;
    std::map<std::string, std::string> files_;
    std::map<std::string, httplib::Server::Handler> handlers_;
    std::vector<Request> requests_;
    std::vector<std::pair<std::string, std::string>> posts_;
};

// A loopback address where nothing listens.
QString UnusedHost();

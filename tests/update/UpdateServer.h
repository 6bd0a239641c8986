#pragma once

#include <QString>
#include <httplib.h>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback update server: the update list and the files under /Update, answered from what the
// test puts in; every request is recorded with its headers. A test may replace the answer of
// one path with a handler of its own.
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

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::string list_;
    std::map<std::string, std::string> files_;
    std::map<std::string, httplib::Server::Handler> handlers_;
    std::vector<Request> requests_;
};

// A loopback address where nothing listens.
QString UnusedHost();

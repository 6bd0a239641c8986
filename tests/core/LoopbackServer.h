#pragma once

#include <QString>
#include <functional>
#include <httplib.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on a free loopback port, running on its own threads, that records every request
// its pages receive (method, path, headers and the body bytes exactly as they arrived).
class LoopbackServer
{
public:
    struct Request
    {
        std::string method;
        std::string path;
        httplib::Headers headers;
        std::string body;

        // The first value of a header (names without regard to case), or empty.
        std::string Header(const std::string& name) const
        {
            const auto found = headers.find(name);
            return found == headers.end() ? std::string() : found->second;
        }
    };

    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    // One request per connection, and a short wait for the request on a connection that a client
    // opened and left unused, so that stopping the server never waits long.
    LoopbackServer()
    {
        server_.set_keep_alive_max_count(1);
        server_.set_keep_alive_timeout(1);
    }

    ~LoopbackServer()
    {
        server_.stop();
        if (thread_.joinable())
            thread_.join();
    }

    // Pages are added before Start; each records its request before it answers.
    void Get(const std::string& path, Handler handler)
    {
        server_.Get(path, Recorded(std::move(handler)));
    }
    void Post(const std::string& path, Handler handler)
    {
        server_.Post(path, Recorded(std::move(handler)));
    }

    void Start()
    {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::yield();
    }

    QString HostAndPort() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

    std::vector<Request> Requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    Handler Recorded(Handler handler)
    {
        return [this, handler](const httplib::Request& request, httplib::Response& response) {
            {
                std::lock_guard lock(mutex_);
                requests_.push_back({request.method, request.path, request.headers, request.body});
            }
            handler(request, response);
        };
    }

    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
};

#include "tests/update/UpdateServer.h"

#include <QTcpServer>

UpdateServer::UpdateServer()
{
    // One request a connection, so that stopping never waits for an idle client.
    server_.set_keep_alive_max_count(1);
    // Noted before the answer leaves, so a client that has its answer finds the request listed.
    server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        std::lock_guard lock(mutex_);
        requests_.push_back({request.target, request.headers});
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server_.Post(".*", [this](const httplib::Request& request, httplib::Response& response) {
        {
            std::lock_guard lock(mutex_);
            posts_.emplace_back(request.path, request.body);
        }
        response.set_content("Y", "text/html");
    });
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        httplib::Server::Handler handler;
        std::string body;
        bool found = false;
        {
            std::lock_guard lock(mutex_);
            if (const auto own = handlers_.find(request.path); own != handlers_.end())
                handler = own->second;
            else if (request.path == "/AutoUpgradeServer.dll")
                body = list_, found = true;
            else if (const auto file = files_.find(request.path); file != files_.end())
                body = file->second, found = true;
        }
        if (handler)
            return handler(request, response);
        if (!found) {
            response.status = 404;
            return;
        }
        response.set_content(body, "application/octet-stream");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // A stop before the server runs would be lost.
    while (!server_.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

UpdateServer::~UpdateServer()
{
    server_.stop();
    thread_.join();
}

QString UpdateServer::Host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

void UpdateServer::SetList(const std::string& text)
{
    std::lock_guard lock(mutex_);
    list_ = text;
}

void UpdateServer::SetFile(const std::string& name, const std::string& content)
{
    std::lock_guard lock(mutex_);
    files_["/Update/" + name] = content;
}

void UpdateServer::SetHandler(const std::string& path, httplib::Server::Handler handler)
{
    std::lock_guard lock(mutex_);
    handlers_[path] = std::move(handler);
}

std::vector<UpdateServer::Request> UpdateServer::Requests()
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> UpdateServer::Targets()
{
    std::vector<std::string> targets;
    for (const Request& request : Requests())
        targets.push_back(request.target);
    return targets;
}

std::vector<std::string> UpdateServer::Bodies(const std::string& page)
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> bodies;
    for (const auto& [path, body] : posts_)
        if (path == page)
            bodies.push_back(body);
    return bodies;
}

QString UnusedHost()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
}

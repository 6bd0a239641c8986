#include "tests/app/TimeCheckRecorder.h"

#include <algorithm>

TimeCheckRecorder::TimeCheckRecorder()
{
    server_.Post("/Quillane/TimeCheck.asp",
                 [this](const httplib::Request& request, httplib::Response& response) {
                     {
                         const std::lock_guard lock(mutex_);
                         bodies_.push_back(request.body);
                     }
                     arrived_.notify_all();
                     response.set_content("OK", "text/html");
                 });
    server_.Get("/ConTest.htm", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("NORMAL", "text/html");
    });
    // Noted before the answer leaves, so a client that has its answer finds the request listed.
    server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        {
            const std::lock_guard lock(mutex_);
            paths_.push_back(request.path);
        }
        arrived_.notify_all();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // One request per connection: a kept-alive connection would hold up Stop().
    server_.set_keep_alive_max_count(1);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // Stop() before the loop runs would not end it.
    while (!server_.is_running())
        std::this_thread::yield();
}

TimeCheckRecorder::~TimeCheckRecorder()
{
    Stop();
}

QString TimeCheckRecorder::Host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QString TimeCheckRecorder::BaseUrl() const
{
    return QStringLiteral("http://") + Host() + QStringLiteral("/Quillane/");
}

bool TimeCheckRecorder::WaitForBodies(std::size_t count, std::chrono::milliseconds bound)
{
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, bound, [&] { return bodies_.size() >= count; });
}

bool TimeCheckRecorder::WaitForRequest(const std::string& path, std::chrono::milliseconds bound)
{
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, bound,
                             [&] { return std::ranges::find(paths_, path) != paths_.end(); });
}

void TimeCheckRecorder::Stop()
{
    if (!thread_.joinable())
        return;
    server_.stop();
    thread_.join();
}

std::vector<std::string> TimeCheckRecorder::Bodies()
{
    const std::lock_guard lock(mutex_);
    return bodies_;
}

std::string PresencePattern(const std::string& comName, const std::string& paLicense,
                            const std::string& flag)
{
    return "P_COMNAME =" + comName + "&P_PALICENSE =" + paLicense +
           R"(&P_SENDTIME =\d{4}-\d\d-\d\d \d\d:\d\d:\d\d&P_Flg = )" + flag + std::string(1, '\0');
}

#include "tests/app/LoopbackService.h"

namespace {

constexpr const char* SignInResultPath = "/Quillane/ComCheckResult.asp";

} // namespace

LoopbackService::LoopbackService()
{
    server_.Get("/ConTest.htm", [this](const httplib::Request&, httplib::Response& response) {
        Record("ConTest.htm", {});
        const std::lock_guard lock(mutex_);
        response.set_content(connectivityAnswer_, "text/html");
    });
    server_.Post("/Quillane/ComCheck2.asp",
                 [this](const httplib::Request& request, httplib::Response& response) {
                     Record("ComCheck2.asp", request.body);
                     const std::lock_guard lock(mutex_);
                     if (signInStatus_ != 0) {
                         response.status = signInStatus_;
                         response.set_content(signInPage_, "text/html; charset=utf-8");
                     } else {
                         response.set_redirect(SignInResultPath);
                     }
                 });
    server_.Get(SignInResultPath, [this](const httplib::Request&, httplib::Response& response) {
        const std::lock_guard lock(mutex_);
        response.set_content("<html><body>" + signInAnswer_ + "</body></html>", "text/html");
    });
    server_.Post(R"(/Quillane/(\w+\.asp))",
                 [this](const httplib::Request& request, httplib::Response& response) {
                     Record(request.matches[1], request.body);
                     response.set_content("OK", "text/html");
                 });
    // One request per connection: a kept-alive connection would hold up Stop().
    server_.set_keep_alive_max_count(1);
    // A connection the program abandoned mid-request must not hold up Stop() either.
    server_.set_read_timeout(std::chrono::milliseconds(300));
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // Stop() before the loop runs would not end it.
    while (!server_.is_running())
        std::this_thread::yield();
}

LoopbackService::~LoopbackService()
{
    Stop();
}

QString LoopbackService::Host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QString LoopbackService::BaseUrl() const
{
    return QStringLiteral("http://") + Host() + QStringLiteral("/Quillane/");
}

void LoopbackService::SetConnectivityAnswer(const std::string& text)
{
    const std::lock_guard lock(mutex_);
    connectivityAnswer_ = text;
}

void LoopbackService::SetSignInAnswer(const std::string& text)
{
    const std::lock_guard lock(mutex_);
    signInAnswer_ = text;
}

void LoopbackService::SetSignInPage(int status, const std::string& text)
{
    const std::lock_guard lock(mutex_);
    signInStatus_ = status;
    signInPage_ = text;
}

bool LoopbackService::WaitForBodies(const std::string& page, std::size_t count,
                                    std::chrono::milliseconds bound)
{
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, bound, [&] {
        return static_cast<std::size_t>(
                   std::count_if(bodies_.begin(), bodies_.end(),
                                 [&](const auto& entry) { return entry.first == page; })) >= count;
    });
}

std::vector<std::string> LoopbackService::Bodies(const std::string& page)
{
    const std::lock_guard lock(mutex_);
    std::vector<std::string> bodies;
    for (const auto& [name, body] : bodies_)
        if (name == page)
            bodies.push_back(body);
    return bodies;
}

void LoopbackService::Stop()
{
    if (!thread_.joinable())
        return;
    server_.stop();
    thread_.join();
}

void LoopbackService::Record(const std::string& page, const std::string& body)
{
    {
        const std::lock_guard lock(mutex_);
        bodies_.emplace_back(page, body);
    }
    arrived_.notify_all();
}

std::string SignInBody(const std::string& paName, const std::string& paLicense,
                       const std::string& comName)
{
    return "P_PANAME       =" + paName + "&P_PALICENSE  =" + paLicense +
           "&P_COMNAME    =" + comName + std::string(1, '\0');
}

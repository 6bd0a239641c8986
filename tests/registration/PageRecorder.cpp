#include "tests/registration/PageRecorder.h"

PageRecorder::PageRecorder()
{
    server_.Post(R"(/Quillane/(\w+\.asp))",
                 [this](const httplib::Request& request, httplib::Response& response) {
                     const std::lock_guard lock(mutex_);
                     const std::string page = request.matches[1];
                     bodies_.emplace_back(page, QByteArray::fromStdString(request.body));
                     const Answer& answer = answers_[page];
                     response.status = answer.status;
                     response.set_content("<html><body>" + answer.text + "</body></html>",
                                          "text/html; charset=utf-8");
                 });
    server_.set_keep_alive_max_count(1);
    server_.set_read_timeout(std::chrono::milliseconds(300));
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running())
        std::this_thread::yield();
}

PageRecorder::~PageRecorder()
{
    server_.stop();
    thread_.join();
}

QString PageRecorder::BaseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/Quillane/").arg(port_);
}

void PageRecorder::SetAnswer(const std::string& page, const std::string& text, int status)
{
    const std::lock_guard lock(mutex_);
    answers_[page] = {text, status};
}

std::vector<QByteArray> PageRecorder::Bodies(const std::string& page)
{
    const std::lock_guard lock(mutex_);
    std::vector<QByteArray> bodies;
    for (const auto& [name, body] : bodies_) {
        if (name == page)
            bodies.push_back(body);
    }
    return bodies;
}

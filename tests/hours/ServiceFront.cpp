#include "tests/hours/ServiceFront.h"

#include <QStringEncoder>
#include <QStringList>
#include <thread>

namespace {

const std::string PagePrefix = "/Quillane/";

std::string PageOf(const std::string& path)
{
    return path.rfind(PagePrefix, 0) == 0 ? path.substr(PagePrefix.size()) : std::string();
}

} // namespace

ServiceFront::ServiceFront(const QString& serviceHost)
{
    const QStringList parts = serviceHost.split(u':');
    serviceHost_ = parts.value(0).toStdString();
    servicePort_ = parts.value(1).toInt();
    const auto pass = [this](const httplib::Request& request, httplib::Response& response) {
        Pass(request, response);
    };
    server_.Get(".*", pass);
    server_.Post(".*", pass);
    server_.Start();
}

QString ServiceFront::Host() const
{
    return server_.HostAndPort();
}

void ServiceFront::Hold(const std::string& page, std::chrono::milliseconds pause)
{
    std::lock_guard lock(mutex_);
    holds_[page] = pause;
}

void ServiceFront::Fail(const std::string& page, bool fail)
{
    std::lock_guard lock(mutex_);
    failures_[page] = fail;
}

void ServiceFront::Answer(const std::string& page, std::vector<QString> texts)
{
    std::lock_guard lock(mutex_);
    answers_[page] = std::move(texts);
    answered_[page] = 0;
}

std::vector<QByteArray> ServiceFront::Bodies(const std::string& page) const
{
    std::vector<QByteArray> bodies;
    for (const LoopbackServer::Request& request : server_.Requests()) {
        if (request.method == "POST" && PageOf(request.path) == page)
            bodies.push_back(QByteArray::fromStdString(request.body));
    }
    return bodies;
}

void ServiceFront::Pass(const httplib::Request& request, httplib::Response& response)
{
    const std::string page = PageOf(request.path);
    std::chrono::milliseconds pause(0);
    bool fail = false;
    QString text;
    {
        std::lock_guard lock(mutex_);
        if (const auto answers = answers_.find(page); answers != answers_.end()) {
            std::size_t& turn = answered_[page];
            text = answers->second.at(std::min(turn++, answers->second.size() - 1));
        }
        if (const auto hold = holds_.find(page); hold != holds_.end())
            pause = hold->second;
        if (const auto failure = failures_.find(page); failure != failures_.end())
            fail = failure->second;
    }
    std::this_thread::sleep_for(pause);
    if (fail) {
        response.status = 500;
        response.set_content("<html><body>500 - 내부 서버 오류</body></html>",
                             "text/html; charset=utf-8");
        return;
    }
    if (!text.isEmpty()) {
        QStringEncoder cp949("windows-949");
        const QByteArray page949 =
            cp949.encode(QStringLiteral("<html><body>") + text + QStringLiteral("</body></html>"));
        response.set_content(page949.toStdString(), "text/html; charset=euc-kr");
        return;
    }
    httplib::Client service(serviceHost_, servicePort_);
    std::string target = request.path;
    if (request.method == "GET" && !request.params.empty())
        target += "?" + httplib::detail::params_to_query_str(request.params);
    const std::string type = request.get_header_value("Content-Type");
    const httplib::Result answer =
        request.method == "POST" ? service.Post(target, request.body, type) : service.Get(target);
    if (!answer) {
        response.status = 502;
        return;
    }
    response.status = answer->status;
    for (const auto& [name, value] : answer->headers) {
        if (name == "Location" || name == "Content-Type")
            response.set_header(name, value);
    }
    response.body = answer->body;
}

#include "service/ServiceServer.h"

#include "service/AnswerPage.h"
#include "service/HomePage.h"
#include "service/Pages.h"
#include "service/RequestLog.h"
#include "service/UpdatePages.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/socket.h>

namespace {

// Pages under /Quillane/, by name in lower case (names match without regard to case).
const std::map<std::string, PageFunction>& PostPages()
{
    static const std::map<std::string, PageFunction> pages{
        {"comcheck2.asp", SignInPage},       {"timecheck.asp", PresencePage},
        {"permission.asp", IdentityPage},    {"input3.asp", RegistrationPage},
        {"normal3.asp", WeeklyHoursPage},    {"sunday.asp", SundaysPage},
        {"holiday.asp", LegalHolidayPage},   {"festival1.asp", FestivalPage},
        {"hdaycheck.asp", HolidayReportPage}};
    return pages;
}

std::string Lower(const std::string& text)
{
    return QString::fromStdString(text).toLower().toStdString();
}

void SetPage(httplib::Response& response, int status, const std::string& text)
{
    response.status = status;
    response.set_content(AnswerPage(text), AnswerContentType);
}

std::string ErrorText(int status)
{
    switch (status) {
    case 400:
        return std::string(InternalErrorText) + ": 잘못된 요청입니다";
    case 404:
        return "페이지를 찾을 수 없습니다";
    case 413:
        return std::string(InternalErrorText) + ": 요청이 너무 큽니다";
    default:
        return InternalErrorText;
    }
}

std::mutex StderrMutex;

} // namespace

ServiceServer::ServiceServer(ServiceContext& context, const ConnectionLimits& limits)
    : context_(context), server_(limits)
{
    server_.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server_.set_tcp_nodelay(true);
    server_.set_payload_max_length(MaxBodyBytes);
    server_.set_keep_alive_max_count(1000);
    // The library's default also sets SO_REUSEPORT, which lets a second service bind the same
    // address and take a share of its requests into another database.
    server_.set_socket_options([](socket_t socket) {
        const int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });

    server_.Post("/Quillane/([^/]+)",
                 [this](const httplib::Request& request, httplib::Response& response,
                        const httplib::ContentReader& reader) {
                     ReadAndAnswerPost(request, response, reader);
                 });
    server_.Get("/Quillane/([^/]+)",
                [this](const auto& request, auto& response) { AnswerGet(request, response); });
    server_.Get("/ConTest.htm",
                [](const auto&, auto& response) { response.set_content("NORMAL", "text/html"); });
    server_.Get("/AutoUpgradeServer.dll", [this](const auto& request, auto& response) {
        AnswerUpdateList(request, response);
    });
    server_.Get("/[Uu][Pp][Dd][Aa][Tt][Ee]/(.+)", [this](const auto& request, auto& response) {
        AnswerUpdateFile(request, response);
    });
    server_.Get("/", [this](const auto&, auto& response) {
        response.set_content(HomePage(context_), "text/html; charset=utf-8");
    });
    server_.set_error_handler(httplib::Server::HandlerWithResponse(
        [](const httplib::Request&, httplib::Response& response) {
            if (!response.body.empty())
                return httplib::Server::HandlerResponse::Unhandled;
            SetPage(response, response.status, ErrorText(response.status));
            return httplib::Server::HandlerResponse::Handled;
        }));
    server_.set_exception_handler([](const auto&, auto& response, std::exception_ptr) {
        SetPage(response, 500, InternalErrorText);
    });
    server_.set_post_routing_handler(
        [this](const auto& request, auto& response) { Log(request, response); });
}

bool ServiceServer::Bind(const std::string& host, int port)
{
    return server_.Bind(host, port);
}

int ServiceServer::BindAnyPort(const std::string& host)
{
    return server_.BindAnyPort(host);
}

bool ServiceServer::Run()
{
    return server_.listen_after_bind();
}

void ServiceServer::Stop()
{
    server_.stop();
}

// The body is read here rather than by the server, whose own reading of form bodies stops far
// below MaxBodyBytes: MaxBodyBytes is the one limit for every content type.
void ServiceServer::ReadAndAnswerPost(const httplib::Request& request, httplib::Response& response,
                                      const httplib::ContentReader& reader)
{
    std::string body;
    const bool read = reader([&](const char* data, std::size_t length) {
        body.append(data, length);
        return body.size() <= MaxBodyBytes;
    });
    if (!read) {
        // Over the limit, or a body the server could not read (a multipart form).
        const int status = body.size() > MaxBodyBytes || response.status == 413 ? 413 : 400;
        SetPage(response, status, ErrorText(status));
        body.resize(std::min(body.size(), MaxBodyBytes));
        Keep(request, {body, {}});
        return;
    }
    Keep(request, {body, AnswerPost(request, body, response)});
}

// Answers a page; returns why the page refused what it was sent (empty when it did not).
std::string ServiceServer::AnswerPost(const httplib::Request& request, const std::string& body,
                                      httplib::Response& response)
{
    const auto page = PostPages().find(Lower(request.matches[1]));
    if (page == PostPages().end()) {
        SetPage(response, 404, ErrorText(404));
        return {};
    }
    FormFields form;
    if (form.Parse(body) != FormFields::ParseResult::Ok) {
        SetPage(response, 400, ErrorText(400));
        return {};
    }
    try {
        const PageAnswer answer = page->second(form, context_);
        if (answer.redirect.empty()) {
            SetPage(response, 200, answer.text);
        } else {
            response.set_redirect(answer.redirect, 302);
        }
        return answer.refusal;
    } catch (const std::exception&) {
        SetPage(response, 500, ErrorText(500));
        return {};
    }
}

void ServiceServer::Keep(const httplib::Request& request, Posted posted)
{
    std::lock_guard lock(postedMutex_);
    posted_[&request] = std::move(posted);
}

ServiceServer::Posted ServiceServer::TakePosted(const httplib::Request& request)
{
    std::lock_guard lock(postedMutex_);
    const auto found = posted_.find(&request);
    if (found == posted_.end())
        return {request.body, {}};
    Posted posted = std::move(found->second);
    posted_.erase(found);
    return posted;
}

// The sign-in's forwarded page shows the answer it was given ("Y", "N" or "Z").
void ServiceServer::AnswerGet(const httplib::Request& request, httplib::Response& response)
{
    const std::string answer = request.get_param_value("answer");
    if (Lower(request.matches[1]) != Lower(SignInResultPage) ||
        (answer != "Y" && answer != "N" && answer != "Z")) {
        SetPage(response, 404, ErrorText(404));
        return;
    }
    SetPage(response, 200, answer);
}

void ServiceServer::AnswerUpdateList(const httplib::Request& request, httplib::Response& response)
{
    if (Lower(request.get_param_value("path")) != "update") {
        SetPage(response, 404, ErrorText(404));
        return;
    }
    response.set_content(UpdateList(context_.updateDir), "text/plain");
}

void ServiceServer::AnswerUpdateFile(const httplib::Request& request, httplib::Response& response)
{
    const auto path = UpdateFile(context_.updateDir, request.matches[1]);
    std::ifstream file;
    if (path)
        file.open(*path, std::ios::binary);
    if (!file.is_open()) {
        SetPage(response, 404, ErrorText(404));
        return;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    response.set_content(bytes.str(), "application/octet-stream");
}

// One line to stderr and one row in the store per request; a failing store costs the row only.
void ServiceServer::Log(const httplib::Request& request, const httplib::Response& response)
{
    Posted posted = TakePosted(request);
    LoggedRequest logged{LogTime(context_.now()), request.method,  request.target,
                         std::move(posted.body),  response.status, std::move(posted.refusal)};
    {
        std::lock_guard lock(StderrMutex);
        std::fputs(RequestLogLine(logged).c_str(), stderr);
    }
    RecordRequest(context_.store, std::move(logged));
}

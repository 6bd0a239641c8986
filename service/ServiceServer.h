#pragma once

#include "service/ConnectionLimits.h"
#include "service/GuardedServer.h"
#include "service/ServiceContext.h"

#include <httplib.h>
#include <map>
#include <mutex>
#include <string>

// The HTTP side: routes every page, logs every request (stderr and store) and answers failures
// with error pages. Bodies over 64 KiB (whatever their content type) are refused; slow clients
// and crowds of connections from one address are held within the connection limits.
class ServiceServer
{
public:
    static constexpr std::size_t MaxBodyBytes = 64 * 1024;

    explicit ServiceServer(ServiceContext& context, const ConnectionLimits& limits = {});

    bool Bind(const std::string& host, int port);
    // Binds a free port of the host and returns it (0 on failure).
    int BindAnyPort(const std::string& host);
    // Serves until Stop; false when the server could not run.
    bool Run();
    void Stop();
    bool IsRunning() const { return server_.is_running(); }

private:
    // What a page request brought and why the page refused it, kept for the request log.
    struct Posted
    {
        std::string body;
        std::string refusal;
    };

    void ReadAndAnswerPost(const httplib::Request& request, httplib::Response& response,
                           const httplib::ContentReader& reader);
    std::string AnswerPost(const httplib::Request& request, const std::string& body,
                           httplib::Response& response);
    void Keep(const httplib::Request& request, Posted posted);
    Posted TakePosted(const httplib::Request& request);
    void AnswerGet(const httplib::Request& request, httplib::Response& response);
    void AnswerUpdateFile(const httplib::Request& request, httplib::Response& response);
    void AnswerUpdateList(const httplib::Request& request, httplib::Response& response);
    void Log(const httplib::Request& request, const httplib::Response& response);

    ServiceContext& context_;
    std::mutex postedMutex_;
    std::map<const httplib::Request*, Posted> posted_;
    GuardedServer server_;
};

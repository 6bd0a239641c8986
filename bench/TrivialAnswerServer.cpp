// The floor for the presence benchmark: cpp-httplib with the service's pool, connection settings
// and listening queue, answering every POST with the answer page "Y" and storing nothing.
#include "service/AnswerPage.h"

#include <cstdio>
#include <cstdlib>
#include <httplib.h>
#include <sys/socket.h>

namespace {

class TrivialServer : public httplib::Server
{
public:
    // The library listens with a queue of 5; the service widens it, and so does this server.
    bool Bind(int port)
    {
        return bind_to_port("127.0.0.1", port) && ::listen(svr_sock_, SOMAXCONN) == 0;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: TrivialAnswerServer PORT\n", stderr);
        return 2;
    }
    TrivialServer server;
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server.set_tcp_nodelay(true);
    server.set_keep_alive_max_count(1000);
    server.set_keep_alive_timeout(5);
    const std::string page = AnswerPage("Y");
    server.Post(".*", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(page, AnswerContentType);
    });
    if (!server.Bind(std::atoi(argv[1]))) {
        std::fputs("cannot listen\n", stderr);
        return 1;
    }
    std::fputs("listening\n", stderr);
    return server.listen_after_bind() ? 0 : 1;
}

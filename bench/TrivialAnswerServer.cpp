// The floor for the presence benchmark: cpp-httplib with the service's pool and connection
// settings, answering every POST with the answer page "Y" and storing nothing.
#include "AnswerPage.h"

#include <cstdio>
#include <cstdlib>
#include <httplib.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: TrivialAnswerServer PORT\n", stderr);
        return 2;
    }
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server.set_tcp_nodelay(true);
    server.set_keep_alive_max_count(1000);
    server.set_keep_alive_timeout(5);
    const std::string page = AnswerPage("Y");
    server.Post(".*", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(page, AnswerContentType);
    });
    if (!server.bind_to_port("127.0.0.1", std::atoi(argv[1]))) {
        std::fputs("cannot listen\n", stderr);
        return 1;
    }
    std::fputs("listening\n", stderr);
    return server.listen_after_bind() ? 0 : 1;
}

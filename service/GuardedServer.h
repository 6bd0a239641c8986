#pragma once

#include "service/ConnectionLimits.h"

#include <httplib.h>
#include <map>
#include <mutex>
#include <string>

// cpp-httplib's server with its connections kept within ConnectionLimits: an idle connection
// closes after limits.idle, a request not read in full within limits.request ends its connection,
// and an address holding limits.perAddress connections is answered 503 for one more.
class GuardedServer : public httplib::Server
{
public:
    explicit GuardedServer(const ConnectionLimits& limits) : limits_(limits) {}

    // As bind_to_port and bind_to_any_port, with room for a burst of new connections: the
    // library listens with a queue of 5, and connections beyond it wait a second for their
    // first packet to be sent again.
    bool Bind(const std::string& host, int port);
    int BindAnyPort(const std::string& host);

private:
    bool WidenBacklog();
    bool process_and_close_socket(int socket) override;
    bool ServeRequests(int socket);
    // Counts a connection of the address; false when it already has as many as allowed.
    bool Admit(const std::string& address);
    void Release(const std::string& address);

    ConnectionLimits limits_;
    std::mutex connectionsMutex_;
    std::map<std::string, int> connections_;
};

#include "service/GuardedServer.h"

#include "service/DeadlineStream.h"

#include <sys/socket.h>
#include <unistd.h>

namespace {

// How often a connection waiting for its next request looks whether the server stops.
constexpr std::chrono::milliseconds StopCheck{100};

constexpr char Refusal[] = "HTTP/1.1 503 Service Unavailable\r\nConnection: close\r\n"
                           "Content-Length: 0\r\n\r\n";

} // namespace

bool GuardedServer::Bind(const std::string& host, int port)
{
    return bind_to_port(host, port) && WidenBacklog();
}

int GuardedServer::BindAnyPort(const std::string& host)
{
    const int port = bind_to_any_port(host);
    return port > 0 && WidenBacklog() ? port : 0;
}

// Listening again on the bound socket changes the length of its queue.
bool GuardedServer::WidenBacklog()
{
    return ::listen(svr_sock_, SOMAXCONN) == 0;
}

bool GuardedServer::process_and_close_socket(int socket)
{
    std::string address;
    int port = 0;
    SocketAddress(socket, true, address, port);
    bool served = false;
    if (Admit(address)) {
        served = ServeRequests(socket);
        Release(address);
    } else {
        ::send(socket, Refusal, sizeof(Refusal) - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    ::shutdown(socket, SHUT_RDWR);
    ::close(socket);
    return served;
}

// Requests one after the other on the connection, each read within its own deadline.
bool GuardedServer::ServeRequests(int socket)
{
    DeadlineStream stream(socket, limits_.write);
    bool served = true;
    for (std::size_t left = keep_alive_max_count_; left > 0; --left) {
        const auto idleEnd = DeadlineStream::Clock::now() + limits_.idle;
        DeadlineStream::Waited waited = DeadlineStream::Waited::Nothing;
        while (waited == DeadlineStream::Waited::Nothing && svr_sock_ != INVALID_SOCKET &&
               DeadlineStream::Clock::now() < idleEnd)
            waited = stream.WaitForRequest(
                std::min(StopCheck, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        idleEnd - DeadlineStream::Clock::now())));
        if (waited != DeadlineStream::Waited::Arrived)
            break;
        stream.SetDeadline(DeadlineStream::Clock::now() + limits_.request);
        bool closed = false;
        // The answer, also that of a request the server refused, goes out before anything else.
        const bool processed = process_request(stream, left == 1, closed, nullptr);
        served = stream.Flush() && processed;
        if (!served || closed || stream.Expired())
            break;
    }
    return served;
}

bool GuardedServer::Admit(const std::string& address)
{
    std::lock_guard lock(connectionsMutex_);
    int& open = connections_[address];
    if (open >= limits_.perAddress)
        return false;
    ++open;
    return true;
}

void GuardedServer::Release(const std::string& address)
{
    std::lock_guard lock(connectionsMutex_);
    if (--connections_[address] == 0)
        connections_.erase(address);
}

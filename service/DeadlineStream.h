#pragma once

#include <array>
#include <chrono>
#include <httplib.h>

// The server's side of one connection: reads are buffered and end at the deadline of the request
// being read, not only when one read waits too long, so a client that sends a byte now and then
// cannot hold the connection; writes wait at most the write limit each. Small writes are
// gathered and sent together by Flush, so an answer's head and page leave in one packet; what is
// gathered is also sent before any wait for input, since the peer may be waiting for it.
class DeadlineStream : public httplib::Stream
{
public:
    using Clock = std::chrono::steady_clock;

    DeadlineStream(int socket, std::chrono::milliseconds writeLimit);

    enum class Waited
    {
        Arrived,
        Nothing
    };
    // Waits up to limit for the first byte of a request, or for the peer to close.
    Waited WaitForRequest(std::chrono::milliseconds limit);
    // Reads of the request end at deadline.
    void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }
    // True when a read found the deadline passed.
    bool Expired() const { return expired_; }
    // Sends what writes gathered; false when the peer does not take it.
    bool Flush() const;

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    int socket() const override { return socket_; }

private:
    bool WaitReadable();
    // recv and send that never wait (EAGAIN when they would).
    ssize_t Receive(char* ptr, size_t size);
    ssize_t Send(const char* ptr, size_t size) const;
    // A send that waits up to the write limit when the socket is full.
    ssize_t SendWaiting(const char* ptr, size_t size) const;

    int socket_;
    std::chrono::milliseconds writeLimit_;
    // Asked for every request; the same for all requests of the connection.
    std::string remoteIp_, localIp_;
    int remotePort_ = -1, localPort_ = -1;
    Clock::time_point deadline_ = Clock::time_point::max();
    bool expired_ = false;
    std::array<char, 4096> buffer_{};
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
    // Written and not yet sent; mutable because a wait for input sends it first.
    mutable std::string pending_;
};

// The numeric address and port of a socket's peer (remote) or its own end.
void SocketAddress(int socket, bool remote, std::string& ip, int& port);

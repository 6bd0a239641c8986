#include "service/DeadlineStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

// Waits for events on the socket up to limit; true when they came.
bool Poll(int socket, short events, std::chrono::milliseconds limit)
{
    pollfd entry{socket, events, 0};
    const int timeout = static_cast<int>(std::max<std::int64_t>(limit.count(), 0));
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, timeout);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// Writes up to this size are gathered; larger ones go out at once.
constexpr std::size_t GatheredBytes = 16 * 1024;

} // namespace

void SocketAddress(int socket, bool remote, std::string& ip, int& port)
{
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    const int found =
        remote ? getpeername(socket, generic, &length) : getsockname(socket, generic, &length);
    char host[NI_MAXHOST] = {};
    char service[NI_MAXSERV] = {};
    if (found != 0 || getnameinfo(generic, length, host, sizeof(host), service, sizeof(service),
                                  NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        ip.clear();
        port = -1;
        return;
    }
    ip = host;
    port = std::atoi(service);
}

DeadlineStream::DeadlineStream(int socket, std::chrono::milliseconds writeLimit)
    : socket_(socket), writeLimit_(writeLimit)
{
    SocketAddress(socket, true, remoteIp_, remotePort_);
    SocketAddress(socket, false, localIp_, localPort_);
}

DeadlineStream::Waited DeadlineStream::WaitForRequest(std::chrono::milliseconds limit)
{
    if (bufferStart_ < bufferEnd_)
        return Waited::Arrived;
    if (!Poll(socket_, POLLIN, limit))
        return Waited::Nothing;
    // A peer that closed the connection is readable too; its request then reads as nothing.
    return Waited::Arrived;
}

bool DeadlineStream::WaitReadable()
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    if (left.count() <= 0 || !Poll(socket_, POLLIN, left)) {
        expired_ = Clock::now() >= deadline_;
        return false;
    }
    return true;
}

bool DeadlineStream::is_readable() const
{
    if (bufferStart_ < bufferEnd_)
        return true;
    if (!Flush())
        return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    return left.count() > 0 && Poll(socket_, POLLIN, left);
}

bool DeadlineStream::is_writable() const
{
    return Poll(socket_, POLLOUT, writeLimit_);
}

// Bytes already there are taken at once; only then does a read wait.
ssize_t DeadlineStream::read(char* ptr, size_t size)
{
    if (bufferStart_ == bufferEnd_) {
        ssize_t received = Receive(buffer_.data(), buffer_.size());
        if (received < 0 && errno == EAGAIN) {
            if (!Flush() || !WaitReadable())
                return -1;
            received = Receive(buffer_.data(), buffer_.size());
        }
        if (received <= 0)
            return received;
        bufferStart_ = 0;
        bufferEnd_ = static_cast<std::size_t>(received);
    }
    const std::size_t count = std::min(size, bufferEnd_ - bufferStart_);
    std::memcpy(ptr, buffer_.data() + bufferStart_, count);
    bufferStart_ += count;
    return static_cast<ssize_t>(count);
}

ssize_t DeadlineStream::write(const char* ptr, size_t size)
{
    if (pending_.size() + size > GatheredBytes && !Flush())
        return -1;
    if (size > GatheredBytes)
        return SendWaiting(ptr, size);
    pending_.append(ptr, size);
    return static_cast<ssize_t>(size);
}

bool DeadlineStream::Flush() const
{
    std::size_t sent = 0;
    while (sent < pending_.size()) {
        const ssize_t count = SendWaiting(pending_.data() + sent, pending_.size() - sent);
        if (count < 0)
            return false;
        sent += static_cast<std::size_t>(count);
    }
    pending_.clear();
    return true;
}

ssize_t DeadlineStream::SendWaiting(const char* ptr, size_t size) const
{
    ssize_t sent = Send(ptr, size);
    if (sent < 0 && errno == EAGAIN) {
        if (!is_writable())
            return -1;
        sent = Send(ptr, size);
    }
    return sent;
}

ssize_t DeadlineStream::Receive(char* ptr, size_t size)
{
    ssize_t received = 0;
    do {
        received = ::recv(socket_, ptr, size, MSG_DONTWAIT);
    } while (received < 0 && errno == EINTR);
    return received;
}

ssize_t DeadlineStream::Send(const char* ptr, size_t size) const
{
    ssize_t sent = 0;
    do {
        sent = ::send(socket_, ptr, size, MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (sent < 0 && errno == EINTR);
    return sent;
}

void DeadlineStream::get_remote_ip_and_port(std::string& ip, int& port) const
{
    ip = remoteIp_;
    port = remotePort_;
}

void DeadlineStream::get_local_ip_and_port(std::string& ip, int& port) const
{
    ip = localIp_;
    port = localPort_;
}

#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

// A plain TCP client of the loopback service that sends exactly the bytes it is given, at the
// pace it is given them, from a loopback address of its choice (127.0.0.1, 127.0.0.2, ...).
class RawClient
{
public:
    using Clock = std::chrono::steady_clock;

    RawClient(const char* from, int port) : socket_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        inet_pton(AF_INET, from, &local.sin_addr);
        sockaddr_in remote{};
        remote.sin_family = AF_INET;
        remote.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, "127.0.0.1", &remote.sin_addr);
        if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof(local)) ||
            ::connect(socket_, reinterpret_cast<sockaddr*>(&remote), sizeof(remote)))
            throw std::runtime_error("cannot connect");
    }
    ~RawClient() { ::close(socket_); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    // False when the connection no longer takes bytes.
    bool Send(std::string_view bytes)
    {
        return ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }

    // Reads until the bytes hold stop (never, when stop is empty), the service closes the
    // connection (closed) or limit passes.
    std::string Receive(std::string_view stop, std::chrono::milliseconds limit, bool& closed)
    {
        std::string received;
        closed = false;
        const auto end = Clock::now() + limit;
        while (!closed && Clock::now() < end &&
               (stop.empty() || received.find(stop) == std::string::npos)) {
            pollfd entry{socket_, POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            if (::poll(&entry, 1, static_cast<int>(left.count())) <= 0)
                break;
            char chunk[4096];
            const ssize_t count = ::recv(socket_, chunk, sizeof(chunk), 0);
            if (count <= 0)
                closed = true;
            else
                received.append(chunk, static_cast<std::size_t>(count));
        }
        return received;
    }

private:
    int socket_;
};

// A whole request posting body to a page under /Quillane/.
inline std::string PostRequest(const std::string& page, const std::string& body,
                               bool keepAlive = true)
{
    return "POST /Quillane/" + page +
           " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/x-www-form-urlencoded\r\n" +
           (keepAlive ? "" : "Connection: close\r\n") +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

#pragma once
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 with a free port, answering from its own thread. Register the
// handlers on `server`, then Start(). It records the requests it gets.
class LocalHttpServer {
public:
    struct Seen {
        std::string path;
        std::string target;
        httplib::Headers headers;
    };

    LocalHttpServer()
    {
        port_ = server.bind_to_any_port("127.0.0.1");
        server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard lock(mutex_);
            seen_.push_back({request.path, request.target, request.headers});
            return httplib::Server::HandlerResponse::Unhandled;
        });
    }
    ~LocalHttpServer()
    {
        stopping = true;
        server.stop();
        if (thread_.joinable())
            thread_.join();
    }

    void Start()
    {
        thread_ = std::thread([this] { server.listen_after_bind(); });
    }

    std::string Host() const { return "http://127.0.0.1:" + std::to_string(port_); }
    int Port() const { return port_; }

    std::vector<Seen> Requests()
    {
        std::lock_guard lock(mutex_);
        return seen_;
    }

    // Sleeps in small steps so that a stalling handler lets the server stop.
    void Stall(std::chrono::milliseconds total)
    {
        const auto end = std::chrono::steady_clock::now() + total;
        while (!stopping && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    httplib::Server server;
    std::atomic<bool> stopping{false};

private:
    int port_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<Seen> seen_;
};

// A port on 127.0.0.1 that nothing listens on.
inline int UnusedLocalPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

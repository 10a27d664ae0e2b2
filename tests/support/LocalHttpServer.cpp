#include "LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

LocalHttpServer::LocalHttpServer()
{
    port_ = server.bind_to_any_port("127.0.0.1");
    server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        std::lock_guard lock(mutex_);
        seen_.push_back({request.path, request.target, request.headers});
        return httplib::Server::HandlerResponse::Unhandled;
    });
}

LocalHttpServer::~LocalHttpServer()
{
    stopping = true;
    server.stop();
    if (thread_.joinable())
        thread_.join();
}

void LocalHttpServer::Start()
{
    thread_ = std::thread([this] { server.listen_after_bind(); });
}

std::vector<LocalHttpServer::Seen> LocalHttpServer::Requests()
{
    std::lock_guard lock(mutex_);
    return seen_;
}

void LocalHttpServer::Stall(std::chrono::milliseconds total)
{
    const auto end = std::chrono::steady_clock::now() + total;
    while (!stopping && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

int UnusedLocalPort()
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

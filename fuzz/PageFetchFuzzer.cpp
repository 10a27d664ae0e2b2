// libFuzzer target for the page fetch: the input is the raw answer (status line, headers, body)
// of a server on 127.0.0.1, which is also every request's proxy, so redirections to any address
// come back to it and no request leaves this machine. The fetch must end with an answer within
// the body limit or a failure, never hang.
#include "FuzzSupport.h"
#include "service/PageFetch.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Answers every connection with the current answer once the request head has arrived (or
// after a short wait), then closes it.
class RawAnswerServer {
public:
    RawAnswerServer()
    {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || listen(listener_, 16) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            std::abort();
        port_ = ntohs(address.sin_port);
        std::thread([this] { Serve(); }).detach();
    }

    int Port() const { return port_; }
    void SetAnswer(std::string answer)
    {
        std::lock_guard lock(mutex_);
        answer_ = std::move(answer);
    }

private:
    void Serve()
    {
        for (;;) {
            const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            ReadRequestHead(connection);
            std::string answer;
            {
                std::lock_guard lock(mutex_);
                answer = answer_;
            }
            for (std::size_t sent = 0; sent < answer.size();) {
                const ssize_t n = send(connection, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += std::size_t(n);
            }
            shutdown(connection, SHUT_WR);
            close(connection);
        }
    }

    static void ReadRequestHead(int connection)
    {
        std::string head;
        char buffer[4096];
        pollfd wait{connection, POLLIN, 0};
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 && poll(&wait, 1, 500) > 0) {
            const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            head.append(buffer, std::size_t(n));
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::mutex mutex_;
    std::string answer_;
};

// Never destroyed: its thread serves until the process ends.
RawAnswerServer& Server()
{
    static RawAnswerServer* server = new RawAnswerServer;
    return *server;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    UseDefaultFlags(argc, argv, {"-timeout=10", "-max_len=8192", "-rss_limit_mb=2048"});
    const std::string proxy = "http://127.0.0.1:" + std::to_string(Server().Port());
    for (const char* name : {"http_proxy", "HTTPS_PROXY", "https_proxy", "ALL_PROXY", "all_proxy"})
        setenv(name, proxy.c_str(), 1);
    unsetenv("no_proxy");
    unsetenv("NO_PROXY");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Server().SetAnswer(std::string(reinterpret_cast<const char*>(data), size));
    FetchLimits limits;
    limits.connectTimeout = std::chrono::milliseconds(1000);
    limits.stallTimeout = std::chrono::milliseconds(1000);
    limits.maxBodyBytes = 4096;
    const FetchResult result = FetchHTML("http://service.invalid/enterw.php?email=a&pass=b", limits);
    if (result.Failed ? result.Text.rfind("Status:", 0) != 0 : result.Text.size() > limits.maxBodyBytes) {
        std::fprintf(stderr, "fetch gave %s: \"%s\"\n", result.Failed ? "a failure" : "an answer", result.Text.c_str());
        std::abort();
    }
    return 0;
}

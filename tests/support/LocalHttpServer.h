#pragma once
#include <httplib.h>

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

    LocalHttpServer();
    ~LocalHttpServer();

    void Start();

    std::string Host() const { return "http://127.0.0.1:" + std::to_string(port_); }
    int Port() const { return port_; }

    std::vector<Seen> Requests();

    // Sleeps in small steps so that a stalling handler lets the server stop.
    void Stall(std::chrono::milliseconds total);

    httplib::Server server;
    std::atomic<bool> stopping{false};

private:
    int port_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<Seen> seen_;
};

// A port on 127.0.0.1 that nothing listens on.
int UnusedLocalPort();

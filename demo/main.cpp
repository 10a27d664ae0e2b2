// The demo chat service: a small real chat service on 127.0.0.1 for the Vellomar client.
//   vellomar-demo [--port N] [--db PATH] [--simulate-chat SCALE]
// --port 0 takes any free port; the address is printed once the service accepts connections.
#include "ChatSimulation.h"
#include "ChatStore.h"
#include "DemoServer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include <pthread.h>

namespace {

std::string DefaultDatabase()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path base = data && *data ? std::filesystem::path(data)
        : home && *home                              ? std::filesystem::path(home) / ".local/share"
                                                     : std::filesystem::temp_directory_path();
    return (base / "vellomar-demo" / "demo.sqlite").string();
}

int Usage(const char* problem)
{
    if (problem)
        std::fprintf(stderr, "vellomar-demo: %s\n", problem);
    std::fprintf(problem ? stderr : stdout,
                 "usage: vellomar-demo [--port N] [--db PATH] [--simulate-chat SCALE]\n"
                 "  --port N               port on 127.0.0.1 (default 8080; 0 takes a free one)\n"
                 "  --db PATH              SQLite file of accounts and messages (default %s)\n"
                 "  --simulate-chat SCALE  a busy room: a message every second and a newcomer every\n"
                 "                         minute, on a time scale (1 real time, 0.01 an hour in 36 s)\n",
                 DefaultDatabase().c_str());
    return problem ? 2 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    int port = 8080;
    std::string database = DefaultDatabase();
    double simulationScale = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return Usage(nullptr);
        if (i + 1 >= argc)
            return Usage(("missing value after " + arg).c_str());
        if (arg == "--port") {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end || value < 0 || value > 65535)
                return Usage("--port takes a number from 0 to 65535");
            port = int(value);
        } else if (arg == "--db") {
            database = argv[++i];
        } else if (arg == "--simulate-chat") {
            char* end = nullptr;
            simulationScale = std::strtod(argv[++i], &end);
            if (*end || !(simulationScale >= 0.001 && simulationScale <= 100))
                return Usage("--simulate-chat takes a time scale from 0.001 to 100");
        } else {
            return Usage(("unknown option " + arg).c_str());
        }
    }

    // Termination signals are taken by this thread alone, so the server can stop cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(database).parent_path(), ignored);
        ChatStore store(database);
        httplib::Server server;
        SignInThrottle throttle;
        // A simulated room runs the pages' clock as fast as its own, so each poll brings what one
        // second of the room does.
        const auto pollEvery =
            std::chrono::milliseconds(simulationScale > 0 ? std::max(10L, long(1000 * simulationScale)) : 1000L);
        RegisterDemoRoutes(server, store, throttle, pollEvery);
        // Forms and messages are small; anything larger is refused before it is read.
        server.set_payload_max_length(64 * 1024);
        const int requested = port;
        if (port == 0)
            port = server.bind_to_any_port("127.0.0.1");
        else if (!server.bind_to_port("127.0.0.1", port))
            port = -1;
        if (port < 0) {
            std::fprintf(stderr, "vellomar-demo: cannot listen on 127.0.0.1:%d\n", requested);
            return 1;
        }
        std::atomic<bool> ended{false};
        std::thread serving([&server, &ended] {
            server.listen_after_bind();
            ended = true;
        });
        // Told only once it accepts: a stop before that would be lost.
        while (!server.is_running() && !ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (ended) {
            serving.join();
            std::fprintf(stderr, "vellomar-demo: the server could not start\n");
            return 1;
        }
        std::unique_ptr<ChatSimulation> simulation;
        if (simulationScale > 0)
            simulation = std::make_unique<ChatSimulation>(store, simulationScale);
        std::printf("vellomar-demo listening on http://127.0.0.1:%d\n", port);
        std::fflush(stdout);
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.stop();
        serving.join();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vellomar-demo: %s\n", error.what());
        return 1;
    }
    return 0;
}

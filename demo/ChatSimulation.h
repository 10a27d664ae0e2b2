#pragma once
#include "ChatStore.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A busy room for trying the client out and for measuring it in use: a resident member says
// something every second and a newcomer enters every minute, both on a time scale (0.01 runs
// an hour in 36 seconds). Runs on a thread of its own from construction to destruction.
class ChatSimulation {
public:
    static constexpr std::chrono::milliseconds kMessageEvery{1000};
    static constexpr std::chrono::milliseconds kNewcomerEvery{60000};

    ChatSimulation(ChatStore& store, double timeScale);
    ~ChatSimulation();
    ChatSimulation(const ChatSimulation&) = delete;
    ChatSimulation& operator=(const ChatSimulation&) = delete;

private:
    void Run();

    ChatStore& store_;
    const std::chrono::nanoseconds messageEvery_;
    const std::chrono::nanoseconds newcomerEvery_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

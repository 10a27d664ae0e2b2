#include "ChatSimulation.h"

#include <array>
#include <string>

namespace {

constexpr std::array kLines = {
    "Morning, everyone!",
    "Did anybody see the match last night?",
    "Back in five.",
    "That new cafe on the corner is good.",
    "Who is up for a game later?",
    "Ha, nice one.",
    "I keep forgetting my umbrella.",
    "Has the rain stopped where you are?",
};
constexpr std::array kNewcomers = {"ann", "bruno", "chloe", "dimitri", "eva", "farid", "greta", "hugo"};

} // namespace

ChatSimulation::ChatSimulation(ChatStore& store, double timeScale)
    : store_(store), messageEvery_(std::chrono::duration_cast<std::chrono::nanoseconds>(kMessageEvery * timeScale)),
      newcomerEvery_(std::chrono::duration_cast<std::chrono::nanoseconds>(kNewcomerEvery * timeScale)),
      thread_([this] { Run(); })
{
}

ChatSimulation::~ChatSimulation()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void ChatSimulation::Run()
{
    using Clock = std::chrono::steady_clock;
    const std::string resident = store_.Enter("tess").token;
    long said = 0, entered = 0;
    Clock::time_point nextMessage = Clock::now() + messageEvery_;
    Clock::time_point nextNewcomer = Clock::now() + newcomerEvery_;
    std::unique_lock lock(mutex_);
    while (!wake_.wait_until(lock, std::min(nextMessage, nextNewcomer), [this] { return stopping_; })) {
        lock.unlock();
        const Clock::time_point now = Clock::now();
        if (now >= nextMessage) {
            store_.Say(resident, kLines[std::size_t(said) % kLines.size()]);
            ++said;
            nextMessage += messageEvery_;
        }
        if (now >= nextNewcomer) {
            store_.Enter(kNewcomers[std::size_t(entered) % kNewcomers.size()]
                         + std::to_string(entered / long(kNewcomers.size()) + 1));
            ++entered;
            nextNewcomer += newcomerEvery_;
        }
        lock.lock();
    }
}

#pragma once
#include <QByteArray>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Fails the whole test program when the guarded scope has not ended within its bound. A call
// that never returns cannot fail a test by itself; without the guard it would only stall the
// suite until CTest's time-out, without a word about which case hung. The bound is generous:
// this catches hangs, it does not time anything.
class HangGuard {
public:
    explicit HangGuard(const QString& what, std::chrono::milliseconds bound = std::chrono::seconds(20))
        : what_(what.toLocal8Bit()), watcher_([this, bound] { Watch(bound); })
    {
    }
    ~HangGuard()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_one();
        watcher_.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    void Watch(std::chrono::milliseconds bound)
    {
        std::unique_lock lock(mutex_);
        if (ended_.wait_for(lock, bound, [this] { return done_; }))
            return;
        std::fprintf(stderr, "FAIL!  : %s did not return within %lld ms\n", what_.constData(),
                     static_cast<long long>(bound.count()));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }

    const QByteArray what_;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread watcher_; // last: it starts once the rest is ready
};

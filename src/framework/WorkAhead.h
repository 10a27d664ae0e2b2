#pragma once
#include <QThread>

#include <future>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

// Results worked out on a helper thread before they are needed, such as pictures decoded while
// the application connects to the display. Each result is handed out once; whoever asks for one
// before the helper thread is done waits for it.
template <typename Key, typename Value> class WorkAhead {
public:
    // Starts computing make(key) for every key on a helper thread.
    template <typename Make> void Start(std::vector<Key> keys, Make make)
    {
        // Qt takes the first thread that uses it for the program's main thread: make sure that is
        // the caller, not the helper, when work starts before the application object.
        QThread::currentThread();
        const std::lock_guard lock(mutex_);
        running_ = std::async(std::launch::async, [keys = std::move(keys), make = std::move(make)] {
            Results results;
            results.reserve(keys.size());
            for (const Key& key : keys)
                results.emplace_back(key, make(key));
            return results;
        });
    }

    // The result worked out ahead for `key`; nothing when none was, or it was already taken.
    std::optional<Value> Take(const Key& key)
    {
        const std::lock_guard lock(mutex_);
        if (running_.valid())
            for (auto& result : running_.get())
                done_.push_back(std::move(result));
        for (auto result = done_.begin(); result != done_.end(); ++result) {
            if (result->first == key) {
                Value value = std::move(result->second);
                done_.erase(result);
                return value;
            }
        }
        return std::nullopt;
    }

private:
    using Results = std::vector<std::pair<Key, Value>>;

    std::mutex mutex_;
    std::future<Results> running_;
    Results done_;
};

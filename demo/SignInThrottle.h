#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

// Slows down password guessing: after a few failed sign-ins for one account, or from one address,
// further attempts are refused unchecked for a while, the wait doubling with each failure. A
// successful sign-in clears its account's failures; failures are forgotten after a quiet spell.
// Safe to use from the server's worker threads.
class SignInThrottle {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit SignInThrottle(Clock clock = std::chrono::steady_clock::now);

    // How long an attempt for `account` from `address` must still wait; zero when it may be checked.
    std::chrono::milliseconds Wait(const std::string& account, const std::string& address);
    void Failed(const std::string& account, const std::string& address);
    void Succeeded(const std::string& account);

    // Failures allowed before the first wait: an address may stand for several people.
    static constexpr int kFreeAccountFailures = 5;
    static constexpr int kFreeAddressFailures = 20;
    static constexpr std::chrono::seconds kFirstWait{1};
    static constexpr std::chrono::seconds kLongestWait{300};
    static constexpr std::chrono::minutes kForgetAfter{15};
    // Guessers choose the accounts and addresses: the memory kept for them is bounded.
    static constexpr std::size_t kMostTracked = 10000;

private:
    struct Record {
        int failures = 0;
        std::chrono::steady_clock::time_point lastFailure, waitUntil;
    };
    using Records = std::unordered_map<std::string, Record>;

    void Count(Records& records, const std::string& key, int freeFailures, std::chrono::steady_clock::time_point now);
    std::chrono::milliseconds Remaining(const Records& records, const std::string& key,
                                        std::chrono::steady_clock::time_point now) const;
    static std::string AccountKey(const std::string& account);

    Clock clock_;
    std::mutex mutex_;
    Records accounts_, addresses_;
};

#include "SignInThrottle.h"

#include <algorithm>

using std::chrono::milliseconds;
using std::chrono::steady_clock;

SignInThrottle::SignInThrottle(Clock clock) : clock_(std::move(clock)) {}

std::chrono::milliseconds SignInThrottle::Wait(const std::string& account, const std::string& address)
{
    std::lock_guard lock(mutex_);
    const auto now = clock_();
    return std::max(Remaining(accounts_, AccountKey(account), now), Remaining(addresses_, address, now));
}

void SignInThrottle::Failed(const std::string& account, const std::string& address)
{
    std::lock_guard lock(mutex_);
    const auto now = clock_();
    Count(accounts_, AccountKey(account), kFreeAccountFailures, now);
    Count(addresses_, address, kFreeAddressFailures, now);
}

void SignInThrottle::Succeeded(const std::string& account)
{
    std::lock_guard lock(mutex_);
    accounts_.erase(AccountKey(account));
}

void SignInThrottle::Count(Records& records, const std::string& key, int freeFailures, steady_clock::time_point now)
{
    auto found = records.find(key);
    if (found != records.end() && now - found->second.lastFailure >= kForgetAfter) {
        records.erase(found);
        found = records.end();
    }
    if (found == records.end()) {
        if (records.size() >= kMostTracked) {
            std::erase_if(records, [now](const auto& entry) { return now - entry.second.lastFailure >= kForgetAfter; });
            if (records.size() >= kMostTracked)
                records.erase(std::min_element(records.begin(), records.end(), [](const auto& a, const auto& b) {
                    return a.second.lastFailure < b.second.lastFailure;
                }));
        }
        found = records.emplace(key, Record{}).first;
    }
    Record& record = found->second;
    record.failures = std::min(record.failures + 1, 1000);
    record.lastFailure = now;
    const int beyond = record.failures - freeFailures;
    if (beyond > 0) {
        // 1 s, 2 s, 4 s … up to the longest wait; the shift stays far below overflow.
        const auto wait = std::min<steady_clock::duration>(kFirstWait * (std::int64_t(1) << std::min(beyond - 1, 20)),
                                                           kLongestWait);
        record.waitUntil = now + wait;
    }
}

std::chrono::milliseconds SignInThrottle::Remaining(const Records& records, const std::string& key,
                                                    steady_clock::time_point now) const
{
    const auto found = records.find(key);
    if (found == records.end() || found->second.waitUntil <= now)
        return milliseconds(0);
    return std::chrono::ceil<milliseconds>(found->second.waitUntil - now);
}

// E-mail addresses are matched without regard to case, as the account table does.
std::string SignInThrottle::AccountKey(const std::string& account)
{
    std::string key = account;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c); });
    return key;
}

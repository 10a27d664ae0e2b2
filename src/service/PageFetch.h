#pragma once
#include <chrono>
#include <cstddef>
#include <string>

// How long and how much one fetch may take before it gives up.
struct FetchLimits {
    std::chrono::milliseconds connectTimeout{30000};
    // Time allowed without receiving any byte, from the start of the request on.
    std::chrono::milliseconds stallTimeout{30000};
    std::size_t maxBodyBytes = 8u * 1024u * 1024u;
};

// What a fetch gives back. An answer is the whole body; a failure (no connection, time-out,
// size limit, a status other than 200 or 302) is never taken for one: Text then starts with
// "Status:" followed by the status ("Status:404") or a short reason, and Reason says in words
// what went wrong.
struct FetchResult {
    std::string Text;
    bool Failed = false;
    std::string Reason;
};

// The address as it is requested: unchanged when it starts with "http://" or "https://" (any
// case), else with "http://" in front.
std::string AddressWithScheme(const std::string& url);

// The client's one direct HTTP request (the login check and the room query): a synchronous GET
// of one address, blocking the caller until the whole answer has been read. User agent
// "InetURL:/1.0", proxy from the environment, nothing from a cache, redirections followed.
FetchResult FetchHTML(const std::string& url, const FetchLimits& limits = FetchLimits());

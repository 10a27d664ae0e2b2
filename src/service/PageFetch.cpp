#include "PageFetch.h"

#include "CurlLibrary.h"
#include "UrlEncoding.h"

#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// The encoder leaves spaces raw and the service host may hold other bytes that a request line
// cannot carry; they travel percent-encoded so the server gets a valid request.
std::string RequestLineSafe(const std::string& url)
{
    return PercentEncode(url, [](unsigned char b) { return b > 0x20 && b < 0x7F; });
}

bool IsAnswerStatus(long status)
{
    return status == 200 || status == 302;
}

std::string Seconds(std::chrono::milliseconds ms)
{
    const auto tenths = (ms.count() + 50) / 100;
    return std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "") + " s";
}

std::string Bytes(std::size_t n)
{
    if (n >= 1024 * 1024 && n % (1024 * 1024) == 0)
        return std::to_string(n / (1024 * 1024)) + " MiB";
    return std::to_string(n) + " bytes";
}

struct Transfer {
    const CurlLibrary* curl = nullptr;
    CURL* handle = nullptr;
    const FetchLimits* limits = nullptr;
    std::string body;
    Clock::time_point lastData;
    bool stalled = false;
    bool oversized = false;
    bool refusedStatus = false;
};

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    t->lastData = Clock::now();
    long status = 0;
    t->curl->easy_getinfo(t->handle, CURLINFO_RESPONSE_CODE, &status);
    // The body of a refused status is never read.
    if (!IsAnswerStatus(status)) {
        t->refusedStatus = true;
        return 0;
    }
    if (t->body.size() + n > t->limits->maxBodyBytes) {
        t->oversized = true;
        return 0;
    }
    t->body.append(data, n);
    return n;
}

size_t OnHeader(char*, size_t size, size_t count, void* user)
{
    static_cast<Transfer*>(user)->lastData = Clock::now();
    return size * count;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* t = static_cast<Transfer*>(user);
    if (Clock::now() - t->lastData > t->limits->stallTimeout) {
        t->stalled = true;
        return 1;
    }
    return 0;
}

FetchResult Failure(const std::string& shortReason, const std::string& reason)
{
    return {"Status:" + shortReason, true, reason};
}

} // namespace

std::string AddressWithScheme(const std::string& url)
{
    std::string lower = url.substr(0, 8);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0)
        return url;
    return "http://" + url;
}

FetchResult FetchHTML(const std::string& url, const FetchLimits& limits)
{
    std::string unavailable;
    const CurlLibrary* curl = LoadCurl(&unavailable);
    if (!curl)
        return Failure("no HTTP client", unavailable);
    std::unique_ptr<CURL, decltype(curl->easy_cleanup)> handle(curl->easy_init(), curl->easy_cleanup);
    if (!handle)
        return Failure("no HTTP client", "the HTTP client could not be started");

    Transfer t;
    t.curl = curl;
    t.handle = handle.get();
    t.limits = &limits;
    const std::string address = RequestLineSafe(AddressWithScheme(url));
    std::unique_ptr<curl_slist, decltype(curl->slist_free_all)> headers(nullptr, curl->slist_free_all);
    // Nothing may come from a cache on the way, a proxy's included.
    for (const char* line : {"Cache-Control: no-cache", "Pragma: no-cache"})
        headers.reset(curl->slist_append(headers.release(), line));
    char error[CURL_ERROR_SIZE] = {};

    CURL* h = handle.get();
    curl->easy_setopt(h, CURLOPT_URL, address.c_str());
    curl->easy_setopt(h, CURLOPT_USERAGENT, "InetURL:/1.0");
    curl->easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl->easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl->easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl->easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl->easy_setopt(h, CURLOPT_MAXREDIRS, 20L);
    curl->easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl->easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, long(limits.connectTimeout.count()));
    curl->easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxBodyBytes));
    curl->easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
    curl->easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl->easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
    curl->easy_setopt(h, CURLOPT_HEADERDATA, &t);
    curl->easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl->easy_setopt(h, CURLOPT_XFERINFODATA, &t);
    curl->easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl->easy_setopt(h, CURLOPT_ERRORBUFFER, error);

    t.lastData = Clock::now();
    const CURLcode code = curl->easy_perform(h);
    long status = 0;
    curl->easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);

    if (t.refusedStatus || (code == CURLE_OK && !IsAnswerStatus(status)))
        return Failure(std::to_string(status), "the service answered with status " + std::to_string(status));
    if (t.oversized || code == CURLE_FILESIZE_EXCEEDED)
        return Failure("too large", "the answer is larger than " + Bytes(limits.maxBodyBytes));
    if (t.stalled)
        return Failure("timeout", "no data arrived for " + Seconds(limits.stallTimeout));
    if (code != CURLE_OK) {
        const std::string what = curl->easy_strerror(code);
        return Failure(what, error[0] ? std::string(error) : what);
    }
    return {std::move(t.body), false, {}};
}

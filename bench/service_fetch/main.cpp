// Medians of the service client's work: encoding a login's values, and a blocking fetch over
// loopback of a login-check answer and of a 1 MiB page (the time the user interface waits).
#include "service/PageFetch.h"
#include "service/ServiceAddresses.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <class Work> double MedianMicroseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    httplib::Server server;
    const std::string page(1024 * 1024, 'x');
    server.Get("/enterw.php", [](const httplib::Request&, httplib::Response& res) { res.set_content("OK", "text/plain"); });
    server.Get("/page", [&page](const httplib::Request&, httplib::Response& res) { res.set_content(page, "text/html"); });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&server] { server.listen_after_bind(); });
    const std::string host = "http://127.0.0.1:" + std::to_string(port);

    std::size_t sink = 0;
    const double encode = MedianMicroseconds(2000, [&] {
        sink += ServiceAddress::LoginCheck(host, "webmaster", "ann+list@vellomar.test", "caf\xE9 & 50%").size();
    });
    const double check = MedianMicroseconds(200, [&] {
        sink += FetchHTML(ServiceAddress::LoginCheck(host, "webmaster", "demo@vellomar.test", "demo")).Text.size();
    });
    const double big = MedianMicroseconds(50, [&] { sink += FetchHTML(host + "/page").Text.size(); });

    std::printf("login-check address build: median %.2f us\n", encode);
    std::printf("login-check fetch (loopback): median %.0f us\n", check);
    std::printf("1 MiB page fetch (loopback): median %.0f us\n", big);
    std::printf("(checksum %zu)\n", sink);
    server.stop();
    serving.join();
    return 0;
}

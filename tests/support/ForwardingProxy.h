#pragma once
#include "LocalHttpServer.h"

#include <strings.h>

#include <string>

// An HTTP proxy on 127.0.0.1 for whole-program tests: it passes every request it gets, whatever
// host the request names, to one service on this machine and passes the answer back. Requests()
// lists what went through, each with the whole address asked for (the proxy form) and headers.
class ForwardingProxy {
public:
    explicit ForwardingProxy(int servicePort) : servicePort_(servicePort)
    {
        const auto forward = [this](const httplib::Request& request, httplib::Response& response) {
            Forward(request, response);
        };
        proxy_.server.Get(".*", forward);
        proxy_.server.Post(".*", forward);
        proxy_.Start();
    }

    std::string Address() const { return proxy_.Host(); }
    std::vector<LocalHttpServer::Seen> Requests() { return proxy_.Requests(); }

private:
    // Headers of one connection, not of the content. The encoding is the proxy's own business
    // with each side: the service answers it plainly, and the proxy compresses for the client
    // as that one allows.
    static bool IsHopByHop(const std::string& name)
    {
        for (const char* hop : {"Connection", "Proxy-Connection", "Keep-Alive", "Transfer-Encoding", "Content-Length",
                                "Host", "Accept-Encoding", "Content-Encoding"})
            if (::strcasecmp(name.c_str(), hop) == 0)
                return true;
        return false;
    }

    void Forward(const httplib::Request& request, httplib::Response& response)
    {
        // "http://host:port/path?query" as a proxy gets it, "/path?query" as the service takes it.
        std::string target = request.target;
        if (const auto scheme = target.find("://"); scheme != std::string::npos) {
            const auto path = target.find('/', scheme + 3);
            target = path == std::string::npos ? "/" : target.substr(path);
        }
        httplib::Headers headers;
        for (const auto& [name, value] : request.headers)
            if (!IsHopByHop(name))
                headers.emplace(name, value);
        httplib::Client service("127.0.0.1", servicePort_);
        const httplib::Result answer = request.method == "POST"
            ? service.Post(target.c_str(), headers, request.body, request.get_header_value("Content-Type").c_str())
            : service.Get(target.c_str(), headers);
        if (!answer) {
            response.status = 502;
            return;
        }
        response.status = answer->status;
        response.body = answer->body;
        for (const auto& [name, value] : answer->headers)
            if (!IsHopByHop(name))
                response.headers.emplace(name, value);
    }

    int servicePort_;
    LocalHttpServer proxy_;
};

#pragma once
#include <string>

// The proxies the environment names, read exactly as the HTTP fetch (libcurl) reads them, so
// that whatever else talks to the service can go the same way: http_proxy for http addresses
// (lower case only), https_proxy or HTTPS_PROXY for https ones, all_proxy or ALL_PROXY for a
// scheme without a proxy of its own; no_proxy or NO_PROXY lists the hosts reached directly.
// Empty variables count as unset. Addresses on this machine go through the proxy too, unless
// no_proxy names them.
struct ProxySettings {
    std::string http;    // proxy for http:// addresses; empty: none
    std::string https;   // proxy for https:// addresses; empty: none
    std::string noProxy; // as given: names, domains, addresses and address ranges, or "*"
};

ProxySettings EnvironmentProxy();

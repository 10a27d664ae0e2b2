#include "ProxySettings.h"

#include <cstdlib>
#include <initializer_list>

namespace {

std::string FirstSet(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return {};
}

} // namespace

ProxySettings EnvironmentProxy()
{
    const std::string fallback = FirstSet({"all_proxy", "ALL_PROXY"});
    ProxySettings settings;
    // HTTP_PROXY is left alone: a web server's CGI environment sets it from a request header.
    settings.http = FirstSet({"http_proxy"});
    settings.https = FirstSet({"https_proxy", "HTTPS_PROXY"});
    if (settings.http.empty())
        settings.http = fallback;
    if (settings.https.empty())
        settings.https = fallback;
    settings.noProxy = FirstSet({"no_proxy", "NO_PROXY"});
    return settings;
}

#pragma once
#include <QStringList>

// The browser engine's switches for going through the given proxies the way the HTTP fetch
// (libcurl) goes: a proxy per scheme ("host:port" without scheme is an HTTP proxy on port 1080),
// the no-proxy list's names with their subdomains, "*" for none at all, and addresses on this
// machine through the proxy like any other (the engine would skip them on its own). No proxy
// at all is said too, so that the desktop's own settings do not take over.
QStringList EngineProxySwitches(const QString& httpProxy, const QString& httpsProxy, const QString& noProxy);

// Hands the switches to the engine; only before the first pane exists. Proxy switches the user
// already gave the engine (QTWEBENGINE_CHROMIUM_FLAGS) are kept instead.
void RouteEngineThroughProxy(const QString& httpProxy, const QString& httpsProxy, const QString& noProxy);

#include "EngineProxy.h"

#include <QRegularExpression>
#include <QUrl>

#include <arpa/inet.h>

namespace {

// "scheme://host:port" as the engine takes it, or empty when the value names no host.
QString ProxyServer(const QString& value)
{
    QString given = value.trimmed();
    if (!given.contains(QStringLiteral("://")))
        given.prepend(QStringLiteral("http://"));
    const QUrl url(given);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    QString scheme = url.scheme().toLower();
    // The engine resolves names at the SOCKS proxy anyway; user names and passwords it cannot take.
    if (scheme == QLatin1String("socks5h"))
        scheme = QStringLiteral("socks5");
    else if (scheme == QLatin1String("socks4a"))
        scheme = QStringLiteral("socks4");
    const int defaultPort = scheme == QLatin1String("https") ? 443 : 1080;
    const QString host = url.host().contains(u':') ? u'[' + url.host() + u']' : url.host();
    return QStringLiteral("%1://%2:%3").arg(scheme, host).arg(url.port(defaultPort));
}

bool IsAddressOrRange(const QString& entry)
{
    QString address = entry.section(u'/', 0, 0);
    if (address.startsWith(u'[') && address.endsWith(u']'))
        address = address.mid(1, address.size() - 2);
    // The system's own parser rather than the network module's: the client starts without that.
    const QByteArray text = address.toLatin1();
    unsigned char parsed[16];
    return inet_pton(AF_INET, text.constData(), parsed) == 1 || inet_pton(AF_INET6, text.constData(), parsed) == 1;
}

QStringList BypassRules(const QString& noProxy)
{
    QStringList rules;
    for (QString entry : noProxy.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts)) {
        if (entry.startsWith(u'.'))
            entry.remove(0, 1);
        if (entry.isEmpty())
            continue;
        if (IsAddressOrRange(entry)) {
            // The engine takes a single IPv6 address in brackets.
            const bool bareIpv6 = entry.contains(u':') && !entry.contains(u'/') && !entry.startsWith(u'[');
            rules << (bareIpv6 ? u'[' + entry + u']' : entry);
        } else {
            // A name stands for itself and everything below it.
            rules << entry << QStringLiteral("*.") + entry;
        }
    }
    rules << QStringLiteral("<-loopback>");
    return rules;
}

} // namespace

QStringList EngineProxySwitches(const QString& httpProxy, const QString& httpsProxy, const QString& noProxy)
{
    const QString none = QStringLiteral("--no-proxy-server");
    if (noProxy.trimmed() == QLatin1String("*"))
        return {none};
    QStringList servers;
    for (const auto& [scheme, value] : {std::pair{QStringLiteral("http"), httpProxy}, {QStringLiteral("https"), httpsProxy}})
        if (const QString server = ProxyServer(value); !server.isEmpty())
            servers << scheme + u'=' + server;
    if (servers.isEmpty())
        return {none};
    return {QStringLiteral("--proxy-server=") + servers.join(u';'),
            QStringLiteral("--proxy-bypass-list=") + BypassRules(noProxy).join(u';')};
}

void RouteEngineThroughProxy(const QString& httpProxy, const QString& httpsProxy, const QString& noProxy)
{
    QString flags = qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char* own : {"--proxy-server", "--no-proxy-server", "--proxy-pac-url", "--proxy-auto-detect"})
        if (flags.contains(QLatin1String(own)))
            return;
    for (const QString& flag : EngineProxySwitches(httpProxy, httpsProxy, noProxy))
        flags += u' ' + flag;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed().toLocal8Bit());
}

#include "ServiceHost.h"

#include "framework/AnsiText.h"
#include "framework/Dialogs.h"
#include "service/PageFetch.h"

namespace {

std::string& CurrentHost()
{
    static std::string host = ToAnsi(kDefaultServiceHost);
    return host;
}

} // namespace

QString ResolveServiceHost(const QString& option, const QString& environment)
{
    QString host = !option.trimmed().isEmpty() ? option.trimmed()
        : !environment.trimmed().isEmpty()     ? environment.trimmed()
                                               : kDefaultServiceHost;
    // Every address appends a path starting with "/".
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return host;
}

void SetServiceHost(const QString& host)
{
    CurrentHost() = ToAnsi(host);
}

std::string ServiceHost()
{
    return CurrentHost();
}

void ShowServiceFailure(const FetchResult& failure, QWidget* parent)
{
    ShowErrorBox(QStringLiteral("The chat service could not be reached: %1.").arg(FromAnsi(failure.Reason)), parent);
}

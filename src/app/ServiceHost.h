#pragma once
#include <QString>

#include <string>

class QWidget;
struct FetchResult;

// The chat service's base address: scheme and host, no trailing separator. It comes from
// --service-host, else VELLOMAR_SERVICE_HOST, else the demo service on this machine.
inline const QString kDefaultServiceHost = QStringLiteral("http://127.0.0.1:8080");

QString ResolveServiceHost(const QString& option, const QString& environment);
void SetServiceHost(const QString& host);
// The host as the address builders take it (ANSI bytes).
std::string ServiceHost();

// One error box saying that the service could not be reached, and why.
void ShowServiceFailure(const FetchResult& failure, QWidget* parent = nullptr);

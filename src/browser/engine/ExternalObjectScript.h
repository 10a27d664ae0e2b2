#pragma once
#include <QString>
#include <QStringList>

// The name under which the page's channel offers the external object.
inline const QString kExternalChannelName = QStringLiteral("external");

// The script that gives a document, and each of its frames, window.external with these methods
// (see EngineView::SetExternalMethods). Only the top document has a channel: a frame's calls are
// posted to it, which takes them from its own frames only.
QString ExternalObjectScript(const QStringList& methods);

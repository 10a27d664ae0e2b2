#pragma once
#include "browser/BrowserEngine.h"

#include <QPointer>
#include <QWebEngineView>

class QWebChannel;

// The engine's page view in a pane: a web view that reports to its pane, takes the pane's
// settings and gives pages their external object over a web channel.
class EnginePageView final : public QWebEngineView, public EngineView {
public:
    EnginePageView(EnginePaneHost* host, QWidget* parent);

    QWidget* Widget() override { return this; }
    void Load(const QUrl& url) override;
    void ApplySettings(const EnginePageSettings& settings) override;
    void SetExternalMethods(const QStringList& names) override;
    void SetExternalObject(QObject* object) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    EnginePaneHost* host_;
    QWebChannel* channel_;
    QPointer<QObject> external_;
};

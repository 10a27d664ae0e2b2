// The browser engine module's root object.
#include "EnginePageView.h"

#include <QQuickWindow>

class BrowserEngineModule final : public QObject, public BrowserEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELLOMAR_BROWSER_ENGINE_IID)
    Q_INTERFACES(BrowserEngine)

public:
    BrowserEngineModule()
    {
        // The pane draws its pages in software: no GL driver to load and keep in memory, and
        // nothing a chat page needs is lost.
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }

    EngineView* CreateView(EnginePaneHost* host, QWidget* parent) override
    {
        return new EnginePageView(host, parent);
    }
};

#include "BrowserEngineModule.moc"

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
        // The pane draws its pages in software: no GL driver to load and keep in memory (with
        // the compiler it carries, some 50 MiB), and nothing a chat page needs is lost. The
        // engine would still ask the window system about GL as it starts, which loads the
        // driver all the same, unless the window system's GL support is left out.
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
            qputenv("QT_XCB_GL_INTEGRATION", "none");
    }

    EngineView* CreateView(EnginePaneHost* host, QWidget* parent) override { return new EnginePageView(host, parent); }
};

#include "BrowserEngineModule.moc"

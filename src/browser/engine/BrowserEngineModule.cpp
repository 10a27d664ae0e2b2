#include "BrowserEngineModule.h"
#include "EnginePageView.h"

#include <QQuickWindow>

BrowserEngineModule::BrowserEngineModule()
{
    // The pane draws its pages in software: no GL driver to load and keep in memory (with the
    // compiler it carries, some 50 MiB), and nothing a chat page needs is lost. The engine would
    // still ask the window system about GL as it starts, which loads the driver all the same,
    // unless the window system's GL support is left out.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

EngineView* BrowserEngineModule::CreateView(EnginePaneHost* host, QWidget* parent)
{
    return new EnginePageView(host, parent);
}

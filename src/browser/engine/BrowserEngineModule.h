#pragma once
#include "browser/BrowserEngine.h"

#include <QObject>

// The browser engine module's root object.
class BrowserEngineModule final : public QObject, public BrowserEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELLOMAR_BROWSER_ENGINE_IID)
    Q_INTERFACES(BrowserEngine)

public:
    BrowserEngineModule();

    EngineView* CreateView(EnginePaneHost* host, QWidget* parent) override;
};

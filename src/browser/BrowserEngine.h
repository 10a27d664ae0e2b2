#pragma once
#include <QStringList>
#include <QtPlugin>

#include <cstdint>

class QObject;
class QPoint;
class QUrl;
class QWidget;

// The browser engine lives in a module of its own, loaded once the program has something on the
// screen: the engine's libraries cost a good part of a second to load and start, and the
// start-up picture must not wait for them. These are the few calls between the pane and the
// module; they carry no engine types.

// Menu kinds the engine is about to show.
enum TContextMenuKind : std::uint32_t {
    CONTEXT_MENU_DEFAULT = 0,
    CONTEXT_MENU_IMAGE = 1,
    CONTEXT_MENU_CONTROL = 2,
    CONTEXT_MENU_TABLE = 3,
    CONTEXT_MENU_TEXTSELECT = 4,
    CONTEXT_MENU_ANCHOR = 5,
};

// What a page view tells the pane it belongs to.
class EnginePaneHost {
public:
    virtual void PageLoadStarted() = 0;
    virtual void PageLoadFinished(bool ok) = 0;
    // The engine is about to show a menu of this kind; true when the pane has dealt with it, so
    // the engine shows nothing.
    virtual bool ContextMenuHandled(std::uint32_t kind, const QPoint& globalPos) = 0;

protected:
    ~EnginePaneHost() = default;
};

// How a view treats the documents it shows.
struct EnginePageSettings {
    bool loadImages = true;
    bool playMediaWithoutGesture = true;
    bool showScrollBars = true;
};

// One page view: a widget in the pane, owned by its Qt parent.
class EngineView {
public:
    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    virtual void ApplySettings(const EnginePageSettings& settings) = 0;
    // Pages, and each of their frames, get window.external as their documents are created: its
    // methods are these names (lower case, matched without regard to case), any other name is
    // undefined. A call of a method goes to the external object's invokable
    // invoke(QString name, QVariantList arguments), in order; calls made before the object is
    // reachable wait in the page.
    virtual void SetExternalMethods(const QStringList& names) = 0;
    // The object that serves those calls from now on; nullptr: none.
    virtual void SetExternalObject(QObject* object) = 0;

protected:
    ~EngineView() = default;
};

// The module's root object.
class BrowserEngine {
public:
    virtual ~BrowserEngine() = default;
    virtual EngineView* CreateView(EnginePaneHost* host, QWidget* parent) = 0;
};

#define VELLOMAR_BROWSER_ENGINE_IID "org.vellomar.BrowserEngine/1"
Q_DECLARE_INTERFACE(BrowserEngine, VELLOMAR_BROWSER_ENGINE_IID)

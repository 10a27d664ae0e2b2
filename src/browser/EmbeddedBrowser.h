#pragma once
#include "BrowserEngine.h"
#include "framework/Component.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);

// Download options and their control bits.
enum TDownloadControlOption { DLCTL_DLIMAGES = 0x10, DLCTL_VIDEOS = 0x20, DLCTL_BGSOUNDS = 0x40 };
// Host user-interface flags.
enum TDocHostUIFlag : std::uint32_t {
    DOCHOSTUIFLAG_NO3DBORDER = 0x4,
    DOCHOSTUIFLAG_SCROLL_NO = 0x8,
    DOCHOSTUIFLAG_FLAT_SCROLLBAR = 0x80,
};
enum TDocHostUIDblClk : std::uint32_t { DOCHOSTUIDBLCLK_DEFAULT = 0 };

// What the host tells the engine about each document it shows.
struct DOCHOSTUIINFO {
    std::uint32_t cbSize = 0;
    std::uint32_t dwFlags = 0;
    std::uint32_t dwDoubleClick = 0;
};

// The browser pane: the embedded engine and its host. Addresses are wide strings (QString);
// absolute local paths are local files. The host-information answer decides how documents are
// shown (the scroll-bar flag hides the scroll bars); the context-menu handler decides whether
// the engine's menu shows at all. A page that asks for a new window (a link with a target,
// window.open) gets none: the address opens in the desktop's default browser.
//
// The engine is started when the pane first has an address to show, once the pane has been
// drawn (so its window is on the screen before the engine takes the user-interface thread), or
// at once when the pane is not shown. Until then the pane is blank and keeps what it is told;
// if the engine cannot be loaded the pane says why instead of showing pages.
class TEmbeddedBrowser : public QWidget, public ComponentLifecycle, private EnginePaneHost {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name)

public:
    using TGetHostInfoEvent = std::function<HRESULT(DOCHOSTUIINFO& info)>;
    using TShowContextMenuEvent =
        std::function<HRESULT(std::uint32_t dwID, const QPoint& ppt, QObject* pcmdtReserved, QObject* pdispReserved)>;

    explicit TEmbeddedBrowser(QWidget* parent = nullptr);

    QString Name() const { return objectName(); }

    // Sends the pane to an address. An address the engine cannot take raises an Exception.
    void Navigate(const QString& url);
    // The address last sent to the engine.
    QUrl LocationURL() const { return location_; }

    // Sum of the chosen DLCTL_* options; re-announced to the engine when set.
    unsigned DownloadOptions() const { return downloadOptions_; }
    void SetDownloadOptions(unsigned options);
    unsigned DownloadControlValue() const { return downloadOptions_; }
    // Sum of the chosen DOCHOSTUIFLAG_* options; pre-fills the host information.
    std::uint32_t UserInterfaceOptions() const { return userInterfaceOptions_; }
    void SetUserInterfaceOptions(std::uint32_t flags);

    TGetHostInfoEvent OnGetHostInfo;
    TShowContextMenuEvent OnShowContextMenu;

    // The record as the engine gets it: pre-filled from the options, then the handler's answer.
    DOCHOSTUIINFO HostInfo() const;

    // What pages get as window.external (see EngineView), kept for the engine until it runs. A
    // pane that is never given methods leaves window.external to the engine.
    void SetExternalMethods(const QStringList& names);
    void SetExternalObject(QObject* object);

    // Starts the engine now unless it runs already; false when it cannot be loaded.
    bool StartEngine();
    // The engine's view of the page, once the engine runs.
    QWidget* EngineWidget() const { return view_ ? view_->Widget() : nullptr; }
    // Why the engine could not be loaded; empty while nothing went wrong.
    const QString& EngineError() const { return engineError_; }

signals:
    // Named as the engine's own view names them, for code written against either.
    void loadStarted(); // NOLINT(readability-identifier-naming)
    void loadFinished(bool ok); // NOLINT(readability-identifier-naming)

protected:
    void paintEvent(QPaintEvent* event) override;
    QObject* Self() override { return this; }

private:
    void PageLoadStarted() override;
    void PageLoadFinished(bool ok) override;
    bool ContextMenuHandled(std::uint32_t kind, const QPoint& globalPos) override;

    void RequestEngine();
    void StartEngineOnceDrawn();
    void ApplyAmbientSettings();

    QUrl location_;
    unsigned downloadOptions_ = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS;
    std::uint32_t userInterfaceOptions_ = 0;
    std::optional<QStringList> externalMethods_;
    QPointer<QObject> externalObject_;

    EngineView* view_ = nullptr;
    QString engineError_;
    bool engineRequested_ = false;
    bool waitingForFirstPaint_ = false;
    bool painted_ = false;
};

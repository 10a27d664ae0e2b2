#pragma once
#include "framework/Component.h"

#include <QPoint>
#include <QWebEngineView>

#include <cstdint>
#include <functional>

class QWebEngineNewWindowRequest;

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

// Menu kinds the engine is about to show.
enum TContextMenuKind : std::uint32_t {
    CONTEXT_MENU_DEFAULT = 0, CONTEXT_MENU_IMAGE = 1, CONTEXT_MENU_CONTROL = 2,
    CONTEXT_MENU_TABLE = 3, CONTEXT_MENU_TEXTSELECT = 4, CONTEXT_MENU_ANCHOR = 5,
};

// The browser pane: the embedded engine and its host. Addresses are wide strings (QString);
// absolute local paths are local files. The host-information answer decides how documents are
// shown (the scroll-bar flag hides the scroll bars); the context-menu handler decides whether
// the engine's menu shows at all. A page that asks for a new window (a link with a target,
// window.open) gets none: the address opens in the desktop's default browser.
class TEmbeddedBrowser : public QWebEngineView, public ComponentLifecycle {
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

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    QObject* Self() override { return this; }

private:
    void ApplyAmbientSettings();
    void OpenInDesktopBrowser(QWebEngineNewWindowRequest& request);

    QUrl location_;
    unsigned downloadOptions_ = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS;
    std::uint32_t userInterfaceOptions_ = 0;
};

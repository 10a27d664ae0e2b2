#include "EmbeddedBrowser.h"

#include "framework/Exception.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>

namespace {

// Local paths are taken as files; anything else must be an absolute address. The address is
// taken byte for byte: a space at its end belongs to the last query value (a password may end
// in spaces).
QUrl AddressToUrl(const QString& address)
{
    if (!address.contains(QStringLiteral("://")) && QDir::isAbsolutePath(address))
        return QUrl::fromLocalFile(address);
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.isRelative() || (url.host().isEmpty() && !url.isLocalFile()
                                               && url.scheme() != QLatin1String("about")
                                               && url.scheme() != QLatin1String("data")))
        return {};
    return url;
}

std::uint32_t MenuKind(const QWebEngineContextMenuRequest* request)
{
    if (!request)
        return CONTEXT_MENU_DEFAULT;
    if (request->linkUrl().isValid())
        return CONTEXT_MENU_ANCHOR;
    if (request->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage)
        return CONTEXT_MENU_IMAGE;
    if (request->isContentEditable())
        return CONTEXT_MENU_CONTROL;
    if (!request->selectedText().isEmpty())
        return CONTEXT_MENU_TEXTSELECT;
    return CONTEXT_MENU_DEFAULT;
}

// What the desktop's browser may be handed: web and mail addresses, never local files or
// scripts a page chose.
bool IsAddressForDesktopBrowser(const QUrl& url)
{
    const QString scheme = url.scheme();
    return url.isValid()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"));
}

} // namespace

TEmbeddedBrowser::TEmbeddedBrowser(QWidget* parent) : QWebEngineView(parent)
{
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    // The host information is asked for each document, as it starts loading.
    connect(this, &QWebEngineView::loadStarted, this, &TEmbeddedBrowser::ApplyAmbientSettings);
    connect(page(), &QWebEnginePage::newWindowRequested, this, &TEmbeddedBrowser::OpenInDesktopBrowser);
    ApplyAmbientSettings();
}

void TEmbeddedBrowser::Navigate(const QString& url)
{
    const QUrl target = AddressToUrl(url);
    if (target.isEmpty())
        throw Exception(QStringLiteral("Navigation refused: \"%1\" is not an address").arg(url));
    ApplyAmbientSettings();
    location_ = target;
    load(target);
}

void TEmbeddedBrowser::SetDownloadOptions(unsigned options)
{
    downloadOptions_ = options;
    ApplyAmbientSettings();
}

void TEmbeddedBrowser::SetUserInterfaceOptions(std::uint32_t flags)
{
    userInterfaceOptions_ = flags;
    ApplyAmbientSettings();
}

DOCHOSTUIINFO TEmbeddedBrowser::HostInfo() const
{
    DOCHOSTUIINFO info;
    info.cbSize = 20;
    info.dwFlags = userInterfaceOptions_;
    info.dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    if (OnGetHostInfo)
        OnGetHostInfo(info);
    return info;
}

void TEmbeddedBrowser::ApplyAmbientSettings()
{
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::AutoLoadImages, downloadOptions_ & DLCTL_DLIMAGES);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture,
                    !(downloadOptions_ & (DLCTL_VIDEOS | DLCTL_BGSOUNDS)));
    const DOCHOSTUIINFO info = HostInfo();
    s->setAttribute(QWebEngineSettings::ShowScrollBars, !(info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO));
}

void TEmbeddedBrowser::OpenInDesktopBrowser(QWebEngineNewWindowRequest& request)
{
    // Only what the user asked for, by a click or a key: a page cannot open windows on its own,
    // and each gesture opens at most one.
    if (request.isUserInitiated() && IsAddressForDesktopBrowser(request.requestedUrl()))
        QDesktopServices::openUrl(request.requestedUrl());
}

void TEmbeddedBrowser::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    const QWebEngineContextMenuRequest* request = lastContextMenuRequest();
    // S_OK: the host has shown the menu itself, so the engine shows nothing.
    if (OnShowContextMenu && OnShowContextMenu(MenuKind(request), event->globalPos(), nullptr, nullptr) == S_OK)
        return;
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

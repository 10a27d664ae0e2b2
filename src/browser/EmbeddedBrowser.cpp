#include "EmbeddedBrowser.h"
#include "BrowserEngineLoader.h"

#include "framework/Exception.h"

#include <QDir>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// A pane that is shown but never drawn (its window on another desktop, say) starts its engine
// after this long all the same, so pages load and call the program.
constexpr int kLatestEngineStartMs = 2000;

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

} // namespace

TEmbeddedBrowser::TEmbeddedBrowser(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TEmbeddedBrowser::Navigate(const QString& url)
{
    const QUrl target = AddressToUrl(url);
    if (target.isEmpty())
        throw Exception(QStringLiteral("Navigation refused: \"%1\" is not an address").arg(url));
    ApplyAmbientSettings();
    location_ = target;
    if (view_)
        view_->Load(target);
    else
        RequestEngine();
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

void TEmbeddedBrowser::SetExternalMethods(const QStringList& names)
{
    externalMethods_ = names;
    if (view_)
        view_->SetExternalMethods(names);
}

void TEmbeddedBrowser::SetExternalObject(QObject* object)
{
    externalObject_ = object;
    if (view_)
        view_->SetExternalObject(object);
}

void TEmbeddedBrowser::ApplyAmbientSettings()
{
    if (!view_)
        return;
    EnginePageSettings settings;
    settings.loadImages = downloadOptions_ & DLCTL_DLIMAGES;
    settings.playMediaWithoutGesture = downloadOptions_ & (DLCTL_VIDEOS | DLCTL_BGSOUNDS);
    settings.showScrollBars = !(HostInfo().dwFlags & DOCHOSTUIFLAG_SCROLL_NO);
    view_->ApplySettings(settings);
}

void TEmbeddedBrowser::RequestEngine()
{
    if (engineRequested_)
        return;
    engineRequested_ = true;
    QTimer::singleShot(0, this, &TEmbeddedBrowser::StartEngineOnceDrawn);
}

void TEmbeddedBrowser::StartEngineOnceDrawn()
{
    if (painted_ || !isVisible()) {
        StartEngine();
        return;
    }
    waitingForFirstPaint_ = true;
    QTimer::singleShot(kLatestEngineStartMs, this, &TEmbeddedBrowser::StartEngine);
}

bool TEmbeddedBrowser::StartEngine()
{
    if (view_)
        return true;
    if (!engineError_.isEmpty())
        return false;
    BrowserEngine* engine = LoadBrowserEngine(&engineError_);
    if (!engine) {
        std::fprintf(stderr, "vellomar: the browser engine cannot be loaded: %s\n", qPrintable(engineError_));
        update();
        return false;
    }
    view_ = engine->CreateView(this, this);
    layout()->addWidget(view_->Widget());
    setFocusProxy(view_->Widget());
    if (externalMethods_)
        view_->SetExternalMethods(*externalMethods_);
    view_->SetExternalObject(externalObject_);
    ApplyAmbientSettings();
    if (!location_.isEmpty())
        view_->Load(location_);
    return true;
}

void TEmbeddedBrowser::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!engineError_.isEmpty())
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("The browser engine cannot be loaded: ") + engineError_);
    if (painted_)
        return;
    painted_ = true;
    // Started from the event loop, after this paint has reached the screen.
    if (waitingForFirstPaint_)
        QTimer::singleShot(0, this, &TEmbeddedBrowser::StartEngine);
}

void TEmbeddedBrowser::PageLoadStarted()
{
    // The host information is asked for each document, as it starts loading.
    ApplyAmbientSettings();
    emit loadStarted();
}

void TEmbeddedBrowser::PageLoadFinished(bool ok)
{
    emit loadFinished(ok);
}

bool TEmbeddedBrowser::ContextMenuHandled(std::uint32_t kind, const QPoint& globalPos)
{
    // S_OK: the host has shown the menu itself, so the engine shows nothing.
    return OnShowContextMenu && OnShowContextMenu(kind, globalPos, nullptr, nullptr) == S_OK;
}

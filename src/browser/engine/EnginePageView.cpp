#include "EnginePageView.h"
#include "ExternalObjectScript.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QWebChannel>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace {

const QString kExternalScriptName = QStringLiteral("vellomar-external");

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

// Only what the user asked for, by a click or a key: a page cannot open windows on its own, and
// each gesture opens at most one.
void OpenInDesktopBrowser(QWebEngineNewWindowRequest& request)
{
    if (request.isUserInitiated() && IsAddressForDesktopBrowser(request.requestedUrl()))
        QDesktopServices::openUrl(request.requestedUrl());
}

} // namespace

EnginePageView::EnginePageView(EnginePaneHost* host, QWidget* parent)
    : QWebEngineView(parent), host_(host), channel_(new QWebChannel(this))
{
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    page()->setWebChannel(channel_, QWebEngineScript::MainWorld);
    connect(this, &QWebEngineView::loadStarted, this, [this] { host_->PageLoadStarted(); });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) { host_->PageLoadFinished(ok); });
    connect(page(), &QWebEnginePage::newWindowRequested, this, &OpenInDesktopBrowser);
}

void EnginePageView::Load(const QUrl& url)
{
    load(url);
}

void EnginePageView::ApplySettings(const EnginePageSettings& settings)
{
    QWebEngineSettings* s = this->settings();
    s->setAttribute(QWebEngineSettings::AutoLoadImages, settings.loadImages);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, !settings.playMediaWithoutGesture);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, settings.showScrollBars);
}

void EnginePageView::SetExternalMethods(const QStringList& names)
{
    QWebEngineScriptCollection& scripts = page()->scripts();
    for (const QWebEngineScript& old : scripts.find(kExternalScriptName))
        scripts.remove(old);
    QWebEngineScript script;
    script.setName(kExternalScriptName);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(ExternalObjectScript(names));
    scripts.insert(script);
}

void EnginePageView::SetExternalObject(QObject* object)
{
    if (object == external_)
        return;
    if (external_)
        channel_->deregisterObject(external_);
    external_ = object;
    if (object)
        channel_->registerObject(kExternalChannelName, object);
}

void EnginePageView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (host_->ContextMenuHandled(MenuKind(lastContextMenuRequest()), event->globalPos()))
        return;
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

#include "ExternalBridge.h"

#include "framework/Events.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <algorithm>

namespace {

const QString kScriptName = QStringLiteral("vellomar-external");
const QString kChannelName = QStringLiteral("external");

// Runs in the page and in each of its frames as their documents are created. The channel
// library sits inside the function, so the page sees none of it; window.external is a proxy
// over the method table. Only the top document has a channel: a frame's calls are posted to it,
// which takes them from its own frames only.
const char* const kExternalScript = R"JS(
(function () {
  'use strict';
%1
  var methods = %2;
  var relay = 'vellomar-external';
  var host = null;
  var waiting = [];
  function known(name) {
    return typeof name === 'string' && methods.indexOf(name.toLowerCase()) >= 0;
  }
  var send = function (name, args) {
    if (host) host.invoke(name, args); else if (waiting) waiting.push([name, args]);
  };
  if (typeof qt !== 'undefined' && qt.webChannelTransport) {
    new QWebChannel(qt.webChannelTransport, function (channel) {
      host = channel.objects.%3 || null;
      var calls = waiting;
      waiting = host ? null : [];
      if (host) calls.forEach(function (call) { host.invoke(call[0], call[1]); });
    });
    window.addEventListener('message', function (event) {
      var call = event.data && event.data[relay];
      if (!call || !event.source || event.source === window || event.source.top !== window) return;
      if (Array.isArray(call) && known(call[0]) && Array.isArray(call[1])) send(call[0], call[1]);
    });
  } else if (window.top !== window) {
    send = function (name, args) {
      var message = {};
      message[relay] = [name, args];
      window.top.postMessage(message, '*');
    };
  }
  var external = new Proxy(Object.create(null), {
    get: function (target, name) {
      if (!known(name)) return undefined;
      return function () { send(name, Array.prototype.slice.call(arguments)); };
    },
    has: function (target, name) { return known(name); },
    set: function () { return false; },
    defineProperty: function () { return false; },
    deleteProperty: function () { return false; }
  });
  Object.defineProperty(window, 'external', {
    value: external, writable: false, configurable: false, enumerable: true
  });
})();
)JS";

QString ChannelLibrary()
{
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

void TExternalDispatch::invoke(const QString& name, const QVariantList& arguments)
{
    CallHandler([&] { handler_(name, arguments); });
}

TExternalBridge::TExternalBridge(TEmbeddedBrowser* browser)
    : QObject(browser), browser_(browser), channel_(new QWebChannel(this)),
      dispatch_(new TExternalDispatch([this](const QString& name, const QVariantList& arguments) {
          return Call(name, arguments);
      }, this))
{
    browser_->page()->setWebChannel(channel_, QWebEngineScript::MainWorld);
    connect(browser_, &QWebEngineView::loadStarted, this, &TExternalBridge::PrepareDocument);
    InstallScript();
}

void TExternalBridge::SetMethodTable(const QStringList& names)
{
    methods_.clear();
    for (const QString& name : names)
        methods_.append(name.toLower());
    InstallScript();
}

void TExternalBridge::InstallScript()
{
    QWebEngineScriptCollection& scripts = browser_->page()->scripts();
    for (const QWebEngineScript& old : scripts.find(kScriptName))
        scripts.remove(old);
    const QString table = QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(methods_)).toJson(QJsonDocument::Compact));
    QWebEngineScript script;
    script.setName(kScriptName);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(kExternalScript).arg(ChannelLibrary(), table, kChannelName));
    scripts.insert(script);
}

void TExternalBridge::PrepareDocument()
{
    // The external object is asked for as each document starts, as the engine does.
    QObject* external = nullptr;
    if (!OnGetExternal || OnGetExternal(external) != S_OK)
        external = nullptr;
    if (external == registered_)
        return;
    if (registered_)
        channel_->deregisterObject(registered_);
    registered_ = external;
    if (external)
        channel_->registerObject(kChannelName, external);
}

HRESULT TExternalBridge::Call(const QString& name, const QVariantList& arguments)
{
    if (!OnGetIDsOfNames || !OnInvoke)
        return E_NOTIMPL;
    QList<DISPID> ids;
    const HRESULT lookup = OnGetIDsOfNames({name}, ids);
    if (lookup != S_OK)
        return lookup;
    if (ids.isEmpty())
        return DISP_E_UNKNOWNNAME;
    DISPPARAMS params;
    params.rgvarg = arguments;
    std::reverse(params.rgvarg.begin(), params.rgvarg.end());
    return OnInvoke(ids.first(), DISPATCH_METHOD, params, nullptr);
}

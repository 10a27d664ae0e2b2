#include "ExternalObjectScript.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

// The channel library sits inside the function, so the page sees none of it; window.external
// is a proxy over the method table.
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

QString ExternalObjectScript(const QStringList& methods)
{
    const QString table =
        QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(methods)).toJson(QJsonDocument::Compact));
    return QString::fromLatin1(kExternalScript).arg(ChannelLibrary(), table, kExternalChannelName);
}

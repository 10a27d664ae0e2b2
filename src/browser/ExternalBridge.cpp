#include "ExternalBridge.h"

#include "framework/Events.h"

#include <algorithm>

void TExternalDispatch::invoke(const QString& name, const QVariantList& arguments)
{
    CallHandler([&] { handler_(name, arguments); });
}

TExternalBridge::TExternalBridge(TEmbeddedBrowser* browser)
    : QObject(browser), browser_(browser),
      dispatch_(new TExternalDispatch(
          [this](const QString& name, const QVariantList& arguments) { return Call(name, arguments); }, this))
{
    connect(browser_, &TEmbeddedBrowser::loadStarted, this, &TExternalBridge::PrepareDocument);
    browser_->SetExternalMethods({});
}

void TExternalBridge::SetMethodTable(const QStringList& names)
{
    QStringList methods;
    for (const QString& name : names)
        methods.append(name.toLower());
    browser_->SetExternalMethods(methods);
}

void TExternalBridge::PrepareDocument()
{
    // The external object is asked for as each document starts, as the engine does.
    QObject* external = nullptr;
    if (!OnGetExternal || OnGetExternal(external) != S_OK)
        external = nullptr;
    if (external == registered_)
        return;
    registered_ = external;
    browser_->SetExternalObject(external);
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

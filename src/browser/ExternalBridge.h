#pragma once
#include "EmbeddedBrowser.h"

#include <QObject>
#include <QPointer>
#include <QVariantList>

#include <cstdint>
#include <functional>

using DISPID = std::int32_t;
constexpr HRESULT DISP_E_UNKNOWNNAME = HRESULT(0x80020006u);
enum TDispatchFlag : std::uint16_t { DISPATCH_METHOD = 1 };

// A call's arguments as the dispatch interface hands them over: the last argument first.
struct DISPPARAMS {
    QVariantList rgvarg;
    int cArgs() const { return int(rgvarg.size()); }
};

// The host's dispatch object, the one object pages reach as window.external. It has no state:
// each call goes to the bridge's name lookup and call handlers.
class TExternalDispatch : public QObject {
    Q_OBJECT

public:
    using TCallHandler = std::function<HRESULT(const QString& name, const QVariantList& arguments)>;
    explicit TExternalDispatch(TCallHandler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

    // Called from the page, over the web channel.
    Q_INVOKABLE void invoke(const QString& name, const QVariantList& arguments);

private:
    TCallHandler handler_;
};

// Gives the pages of a browser pane, and their frames, their external object: window.external
// (fixed, so a page cannot swap it) whose methods are the names of the method table, matched
// without regard to case; any other name is undefined at once, so the page sees "not a
// function". A call of a known name reaches the dispatch object that OnGetExternal hands out as
// each document starts, and from there OnGetIDsOfNames and OnInvoke. Calls made before the
// object is reachable wait in the page and follow in order.
class TExternalBridge : public QObject {
    Q_OBJECT

public:
    using TGetExternalEvent = std::function<HRESULT(QObject*& ppDispatch)>;
    using TGetIDsOfNamesEvent = std::function<HRESULT(const QStringList& Names, QList<DISPID>& DispIDs)>;
    using TInvokeEvent =
        std::function<HRESULT(DISPID DispID, std::uint16_t Flags, const DISPPARAMS& Params, QVariant* VarResult)>;

    explicit TExternalBridge(TEmbeddedBrowser* browser);

    TGetExternalEvent OnGetExternal;
    TGetIDsOfNamesEvent OnGetIDsOfNames;
    TInvokeEvent OnInvoke;

    // The method names pages may call (compared in lower case).
    void SetMethodTable(const QStringList& names);

    // The browser host's own dispatch object.
    QObject* Dispatch() const { return dispatch_; }

    // What a page's call of `name` does: name lookup, then the call with the arguments reversed.
    HRESULT Call(const QString& name, const QVariantList& arguments);

private:
    void PrepareDocument();

    TEmbeddedBrowser* browser_;
    TExternalDispatch* dispatch_;
    QPointer<QObject> registered_;
};

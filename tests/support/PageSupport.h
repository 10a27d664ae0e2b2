#pragma once
#include "browser/EmbeddedBrowser.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>
#include <optional>

// The engine's view in a pane, the engine started first if it does not run yet.
inline QWebEngineView& PageView(TEmbeddedBrowser& pane)
{
    if (!pane.StartEngine())
        qFatal("the browser engine cannot be loaded: %s", qPrintable(pane.EngineError()));
    return *qobject_cast<QWebEngineView*>(pane.EngineWidget());
}

// Runs a script in the view's page and waits for its value (invalid when the page never answers).
inline QVariant RunScript(QWebEngineView& view, const QString& script)
{
    // Shared with the callback, which may come after this has given up waiting.
    auto answer = std::make_shared<std::optional<QVariant>>();
    view.page()->runJavaScript(script, [answer](const QVariant& value) { *answer = value; });
    QElapsedTimer clock;
    clock.start();
    while (!*answer && clock.elapsed() < 30000)
        QTest::qWait(5);
    if (!*answer)
        qWarning("script did not answer: %s", qPrintable(script));
    return answer->value_or(QVariant());
}

inline QVariant RunScript(TEmbeddedBrowser& pane, const QString& script)
{
    return RunScript(PageView(pane), script);
}

// Sends the pane to an address and waits until the page has loaded; false when it did not.
inline bool LoadAndWait(TEmbeddedBrowser& browser, const QString& address)
{
    QSignalSpy finished(&browser, &TEmbeddedBrowser::loadFinished);
    browser.Navigate(address);
    return finished.wait(30000) && finished.first().first().toBool();
}

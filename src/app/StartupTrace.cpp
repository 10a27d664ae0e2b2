#include "StartupTrace.h"

#include <QDateTime>
#include <QEvent>
#include <QWebEngineView>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

bool Enabled()
{
    static const bool enabled = std::getenv("VELLOMAR_TRACE_STARTUP") != nullptr;
    return enabled;
}

class FirstPaintWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            StartupTrace::Mark("main-shown");
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void StartupTrace::Mark(const char* milestone)
{
    if (!Enabled())
        return;
    std::fprintf(stderr, "vellomar-trace %s %lld\n", milestone, QDateTime::currentMSecsSinceEpoch());
    std::fflush(stderr);
}

void StartupTrace::Watch(QWidget* mainWindow, QWebEngineView* pane)
{
    if (!Enabled())
        return;
    mainWindow->installEventFilter(new FirstPaintWatcher(mainWindow));
    auto* once = new QObject(pane);
    QObject::connect(pane, &QWebEngineView::loadFinished, once, [once](bool) {
        Mark("page-loaded");
        once->deleteLater();
    });
}

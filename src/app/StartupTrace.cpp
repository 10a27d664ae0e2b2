#include "StartupTrace.h"

#include <QDateTime>
#include <QEvent>
#include <QWebEngineView>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

bool Enabled()
{
    static const bool enabled = std::getenv("VELLOMAR_TRACE_STARTUP") != nullptr;
    return enabled;
}

// Marks "main-shown" when the window is first exposed on the screen.
class FirstExposeWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->windowHandle()) {
                widget->removeEventFilter(this);
                widget->windowHandle()->installEventFilter(this);
            }
        } else if (event->type() == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) {
                StartupTrace::Mark("main-shown");
                window->removeEventFilter(this);
                deleteLater();
            }
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
    mainWindow->installEventFilter(new FirstExposeWatcher(mainWindow));
    auto* once = new QObject(pane);
    QObject::connect(pane, &QWebEngineView::loadFinished, once, [once](bool) {
        Mark("page-loaded");
        once->deleteLater();
    });
}

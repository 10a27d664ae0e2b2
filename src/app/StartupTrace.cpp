#include "StartupTrace.h"

#include <QDateTime>
#include <QEvent>
#include <QSet>
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

// Marks its milestone when the window it watches is first exposed.
class FirstExposeWatcher final : public QObject {
public:
    FirstExposeWatcher(QWidget* window, const char* milestone) : QObject(window), milestone_(milestone) {}

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
                StartupTrace::Mark(milestone_);
                window->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    const char* milestone_;
};

} // namespace

void StartupTrace::Mark(const char* milestone)
{
    static QSet<QByteArray> marked;
    if (!Enabled() || marked.contains(milestone))
        return;
    marked.insert(milestone);
    std::fprintf(stderr, "vellomar-trace %s %lld\n", milestone, QDateTime::currentMSecsSinceEpoch());
    std::fflush(stderr);
}

void StartupTrace::MarkWhenShown(QWidget* window, const char* milestone)
{
    if (Enabled())
        window->installEventFilter(new FirstExposeWatcher(window, milestone));
}

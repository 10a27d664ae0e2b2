// A yardstick for the start-up benchmark: a bare browser view in a plain window opening a
// page, set up as the engine's documentation says, traced with the client's own marks.
#include "app/StartupTrace.h"

#include <QApplication>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new QWebEngineView(&window);
    layout->addWidget(view);
    StartupTrace::MarkWhenShown(&window, "main-shown");
    QObject::connect(view, &QWebEngineView::loadFinished, [] { StartupTrace::Mark("page-loaded"); });
    window.resize(746, 538);
    view->load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    window.show();
    return app.exec();
}

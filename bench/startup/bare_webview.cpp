// The yardstick for the start-up benchmark: a bare browser view in a plain window opening a
// page, traced with the client's own start-up marks.
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
    StartupTrace::Watch(&window, view);
    window.resize(746, 538);
    view->load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    window.show();
    return app.exec();
}

// The floor of the start-up benchmark: a bare Qt Widgets window and nothing else, traced with
// the client's own marks.
#include "app/StartupTrace.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    StartupTrace::MarkWhenShown(&window, "main-shown");
    window.resize(746, 538);
    window.show();
    return app.exec();
}

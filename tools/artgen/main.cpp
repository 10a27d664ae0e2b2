// Draws the program's own pictures: the application icon in every size and the start-up
// picture. Run it (make art) after changing a drawing; its output is committed under resources/images.
//   artgen OUTPUT_DIR
#include "Drawings.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "artgen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const Drawing& drawing : AllDrawings()) {
        const QString path = out.filePath(drawing.fileName);
        if (!QDir().mkpath(QFileInfo(path).path()) || !drawing.draw().save(path)) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

// Draws our skin: the pictures and the description of the skin folder, and the system-menu
// glyph strip. Run it (make skin) after changing a drawing; its output is committed.
//   skingen SKIN_DIR GLYPH_FILE
#include "Bmp24.h"
#include "SkinArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skingen SKIN_DIR GLYPH_FILE\n");
        return 2;
    }
    const QDir skin(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(skin.path())) {
        std::fprintf(stderr, "skingen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = Write(skin.filePath(QStringLiteral("vellomar.ini")), SkinDescription());
    for (const SkinPicture& picture : DrawSkinPictures())
        ok = Write(skin.filePath(picture.fileName), EncodeBmp24(picture.image)) && ok;
    ok = Write(QString::fromLocal8Bit(argv[2]), EncodeBmp24(DrawMenuGlyphs())) && ok;
    return ok ? 0 : 1;
}

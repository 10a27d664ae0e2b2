// libFuzzer target for the skin readers: the LZHUF decoder, the package container, the
// description and the element builder. The first byte chooses what the rest is taken as.
#include "FuzzSupport.h"
#include "framework/Dialogs.h"
#include "skin/Lzhuf.h"
#include "skin/QuickIni.h"
#include "skin/SkinData.h"
#include "skinpack/SkinPackageWriter.h"

#include <QBuffer>
#include <QImage>

#include <cstddef>
#include <cstdint>

namespace {

class SilentDialogs final : public DialogService {
public:
    void Show(const TMessageBox&, QWidget*) override {}
};

QByteArray TinyBmp()
{
    QImage image(6, 3, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void Load(const QByteArray& package)
{
    TSkinData data;
    data.SetSkinStream(package);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    UseDefaultFlags(argc, argv, {"-timeout=10", "-rss_limit_mb=4096"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static SilentDialogs dialogs;
    static DialogService* installed = DialogService::Install(&dialogs);
    (void)installed;
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(bytes) + 1, qsizetype(size - 1));
    switch (bytes[0] % 4) {
    case 0: // a whole package
        Load(rest);
        break;
    case 1: // a container
        Load(PackSkinContainer(rest));
        break;
    case 2: { // a description beside two pictures
        static const QByteArray bmp = TinyBmp();
        Load(PackSkinContainer(BuildSkinContainer({{QStringLiteral("skin.ini"), rest},
                                                   {QStringLiteral("a.bmp"), bmp},
                                                   {QStringLiteral("b.bmp"), rest}})));
        TQuickIni ini;
        ini.LoadFromStream(rest);
        for (const QString& section : ini.ReadSections()) {
            ParseColourTriple(ini.ReadString(section, QStringLiteral("color"), QString()), 0);
            ini.ReadInteger(section, QStringLiteral("Action"), 0);
        }
        break;
    }
    default: // a bare LZHUF stream
        TLZH::Decode(rest, std::min<qsizetype>(48 * rest.size() + 64, 1 << 20));
        break;
    }
    return 0;
}

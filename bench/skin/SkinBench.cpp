// Decoding speed of our skin package and the time of a whole LoadSkin; prints medians.
#include "Median.h"
#include "framework/Application.h"
#include "skin/Lzhuf.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"

#include <QtEndian>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const QByteArray package = StoredSkinPackage();
    const quint32 length = qFromLittleEndian<quint32>(package.constData());
    const QByteArray stream = package.mid(4);
    constexpr int kRuns = 51;

    qsizetype sink = 0;
    const double decodeMs = MedianMilliseconds(kRuns, [&] { sink += TLZH::Decode(stream, length).size(); });
    TSkinData data;
    const double loadMs = MedianMilliseconds(kRuns, [&] { data.SetSkinStream(package); });

    std::printf("package: %lld bytes -> %u bytes of container\n", qlonglong(package.size()), length);
    std::printf("decode: median %.3f ms, %.1f MB/s of output (%d runs)\n", decodeMs,
                double(length) / 1e6 / (decodeMs / 1e3), kRuns);
    std::printf("LoadSkin: median %.3f ms (%d runs)\n", loadMs, kRuns);
    return sink > 0 && !data.SkinEmpty() ? 0 : 1;
}

// libFuzzer target for the notice formatter: hostile markup measured as the popup's auto-size
// does, then drawn, with pictures by index, by name (a container) and by address (a cache).
// Input: an options byte, the box's width and height (two bytes each), the hit point, then the
// markup as UTF-8.
#include "FuzzSupport.h"
#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "notify/MiniHTML.h"
#include "notify/NoticePictures.h"

#include <QImage>
#include <QPainter>

namespace {

struct Pictures {
    TImageList images;
    TPictureContainer container;
    Pictures()
    {
        for (int i = 0; i < 3; ++i)
            images.Add(QImage(16, 16, QImage::Format_RGB32));
        container.Add(QStringLiteral("big"), QImage(30, 24, QImage::Format_RGB32));
        container.Add(QStringLiteral("dot"), QImage(1, 1, QImage::Format_ARGB32));
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    UseDefaultFlags(argc, argv, {"-timeout=2", "-max_len=4096", "-rss_limit_mb=2048"});
    StartOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Pictures pictures;
    FuzzInput input(data, size);
    const int options = input.Byte();
    const int width = input.Number(400), height = input.Number(300);
    TMiniHTMLParams params;
    params.Images = &pictures.images;
    params.PictureContainer = &pictures.container;
    TNoticePictureCache cache;
    params.PictureCache = &cache;
    params.HitX = input.Number(420);
    params.HitY = input.Number(320);
    params.WordWrap = !(options & 1);
    params.PrintMode = options & 2;
    params.Selected = options & 4;
    params.HoverStyle = options & 8;
    params.HoverAnchor = (options >> 4) & 3;
    params.FocusAnchor = (options >> 6) - 1;
    const QString text = QString::fromUtf8(input.Rest());

    QImage image(width + 20, height + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    canvas.Font = MakeFont(QStringLiteral("DejaVu Sans"), -11);
    canvas.FontColor = clBlack;
    canvas.BrushColor = clWhite;
    const TRect box{10, 10, 10 + width, 10 + height};

    TMiniHTMLParams measuring = params;
    measuring.MeasureOnly = true;
    measuring.MeasureAll = true;
    TMiniHTMLResults measured;
    DrawMiniHTML(canvas, text, box, measuring, measured);
    TMiniHTMLResults drawn;
    DrawMiniHTML(canvas, text, box, params, drawn);
    return 0;
}

// The skinned frame of the main window (746 × 538) with our skin: one full paint of borders,
// caption and caption buttons, and one rebuild of the window region; prints medians.
#include "Median.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/SkinData.h"
#include "skin/SkinEvents.h"
#include "skin/StoredSkin.h"
#include "skin/WinSkinForm.h"

#include <QPainter>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    TSkinData data;
    data.SetSkinStream(StoredSkinPackage());
    TForm form;
    form.SetCaption(QStringLiteral("Vellomar manager"));
    form.setWindowIcon(QIcon(QPixmap(16, 16)));
    TWinSkinForm skinner(&form);
    skinner.AttachToForm(&data, &form);
    TSkinMessage attached(kSkinAttachedMessage);
    QCoreApplication::sendEvent(&form, &attached);
    form.resize(746, 538);
    constexpr int kRuns = 501;

    QImage screen(form.size(), QImage::Format_RGB32);
    const double paintMs = MedianMilliseconds(kRuns, [&] {
        QPainter painter(&screen);
        skinner.PaintNonClient(painter);
    });
    QImage scaled(form.size() * 2, QImage::Format_RGB32);
    scaled.setDevicePixelRatio(2);
    const double scaledMs = MedianMilliseconds(kRuns, [&] {
        QPainter painter(&scaled);
        skinner.PaintNonClient(painter);
    });
    const double regionMs = MedianMilliseconds(kRuns, [&] { skinner.Reshape(true); });

    std::printf("frame of a %dx%d window, %d rects in its region\n", form.width(), form.height(),
                int(skinner.WindowRegion().rectCount()));
    std::printf("full frame paint: median %.1f us (%d runs)\n", paintMs * 1e3, kRuns);
    std::printf("full frame paint at twice the pixels: median %.1f us (%d runs)\n", scaledMs * 1e3, kRuns);
    std::printf("region rebuild: median %.1f us (%d runs)\n", regionMs * 1e3, kRuns);
    return skinner.WindowRegion().isEmpty() ? 1 : 0;
}

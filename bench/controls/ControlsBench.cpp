// The control skinners at work, offscreen with our skin: one repaint of every control of the
// skin gallery, skinned and not; and the login window's controls and whole window, skinned and
// not, in the same run. Prints medians and the skinned-to-unskinned ratios.
#include "Median.h"
#include "app/LoginForm.h"
#include "app/SkinGallery.h"
#include "framework/Application.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/StoredSkin.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRuns = 201;

// The median time of painting the widget and everything on it into an image.
double RepaintMs(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    return MedianMilliseconds(kRuns, [&] { widget->render(&image); });
}

// True when the skin manager has a skinner on the window.
bool Skinned(const QWidget* window)
{
    TSkinManage* manager = TSkinManage::Instance();
    return manager && manager->FindWindowSkinner(window);
}

// Runs the event loop until the window is skinned (or not), at most two seconds: the skin
// manager acts a moment after it is asked.
bool Settle(const QWidget* window, bool skinned)
{
    const QDeadlineTimer deadline(2000);
    while (Skinned(window) != skinned && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    return Skinned(window) == skinned;
}

void Report(const char* what, double skinned, double own)
{
    std::printf("%s: skinned median %.1f us, unskinned %.1f us, ratio %.2f (%d runs)\n", what, skinned * 1e3, own * 1e3,
                skinned / own, kRuns);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The login window remembers its fields: in a folder of its own, not the user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    TApplication app(argc, argv);

    TSkinGallery gallery;
    gallery.show();
    if (!Settle(&gallery, true))
        return 1;
    const double galleryOn = RepaintMs(gallery.ClientArea());
    gallery.SkinData1->SetActive(false);
    if (!Settle(&gallery, false))
        return 1;
    const double galleryOff = RepaintMs(gallery.ClientArea());
    gallery.hide();
    Report("gallery, every control", galleryOn, galleryOff);

    // The login window takes the gallery's skin data, as it takes the main window's in the client.
    gallery.SkinData1->SetActive(true);
    TForm3 login;
    login.show();
    if (!Settle(&login, true))
        return 1;
    const double controlsOn = RepaintMs(login.ClientArea());
    const double windowOn = RepaintMs(&login);
    gallery.SkinData1->SetActive(false);
    if (!Settle(&login, false))
        return 1;
    const double controlsOff = RepaintMs(login.ClientArea());
    const double windowOff = RepaintMs(&login);
    Report("login window, its controls", controlsOn, controlsOff);
    Report("login window, whole", windowOn, windowOff);
    return 0;
}

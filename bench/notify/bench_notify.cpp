// Layout + paint of the newcomer notice in the popup, and the popup's mouse hit-test: the
// formatter runs for both on every paint and every mouse move. Prints the median of many runs.
//   bench_notify [RUNS]
#include "framework/Canvas.h"
#include "notify/MiniHTML.h"
#include "notify/NoticePopup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double MedianMicroseconds(int runs, const std::function<void()>& body)
{
    std::vector<double> samples;
    samples.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        body();
        samples.push_back(clock.nsecsElapsed() / 1000.0);
    }
    std::nth_element(samples.begin(), samples.begin() + runs / 2, samples.end());
    return samples[runs / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;

    // The popup as the main window has it, with the notice the bridge writes.
    QWidget owner;
    TNoticePopup popup(&owner);
    popup.AutoSize = true;
    popup.BorderSize = 5;
    popup.Hover = true;
    popup.ShadeEnable = true;
    popup.ShadeStartColor = clWhite;
    popup.ShadeEndColor = clYellow;
    popup.SetFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    popup.SetText({QStringLiteral("<B>Vellomar</B><br><FONT color=\"#FF0000\">Ann</FONT> has entered the chat.")});
    popup.PrepareWindow();
    TNoticePopupWindow* window = popup.Window();

    QImage surface(window->size(), QImage::Format_RGB32);
    const double paint = MedianMicroseconds(runs, [&] {
        window->render(&surface);
    });

    const double layout = MedianMicroseconds(runs, [&] {
        QPainter painter(&surface);
        TCanvas canvas(&painter);
        canvas.Font = popup.Font();
        TMiniHTMLParams params;
        TMiniHTMLResults results;
        DrawMiniHTML(canvas, window->WindowText(), window->TextRect(), params, results);
    });

    const TRect text = window->TextRect();
    const QPoint inside(text.Left + 10, text.Top + 20);
    const double hit = MedianMicroseconds(runs, [&] {
        TMiniHTMLResults results;
        window->HitTest(inside, results);
    });

    std::printf("popup %dx%d, %d runs\n", window->width(), window->height(), runs);
    std::printf("notice layout + draw (formatter only): median %.1f us\n", layout);
    std::printf("notice paint (background, frame, text): median %.1f us\n", paint);
    std::printf("mouse hit-test: median %.1f us\n", hit);
    return 0;
}

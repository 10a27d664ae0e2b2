// Times one full repaint of a command bar at the main window's size (121 x 492, four
// large-icon rows over a 60-band gradient, the pointer over a row so the hover box is drawn):
// the bar repaints like this on every pointer move. Prints the median.
//   bench_command_bar_repaint [RUNS]
#include "framework/Canvas.h"
#include "sidebar/CommandBar.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

TCommandBar* MakeDesignBar()
{
    auto* bar = new TCommandBar;
    bar->PanelCaption.SetHeight(0);
    TCommandPanel* panel = bar->Panels.Add();
    panel->SetBackground(pbGradient);
    panel->SetGradientStart(RGB(255, 255, 232));
    panel->SetGradientEnd(clWhite);
    panel->SetGradientSteps(60);
    panel->SetHoverFullWidth(true);
    panel->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), -11, true));
    const QStringList rows[] = {{"Login", "login"}, {"Script Creator", "script"},
                                {"HTML page creator", "htmlpage"}, {"Help", "help"}};
    for (const QStringList& row : rows) {
        TCommandItem* item = panel->Items.Add();
        item->SetCaption(row[0]);
        item->SetIcon(QImage(QStringLiteral(VELLOMAR_IMAGES "/sidebar/%1.png").arg(row[1])));
    }
    bar->setGeometry(0, 0, 121, 492);
    return bar;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    TCommandBar* bar = MakeDesignBar();
    bar->show();
    QCursor::setPos(bar->mapToGlobal(QPoint(60, 80)));
    app.processEvents();
    for (int i = 0; i < 50; ++i)
        bar->repaint();

    std::vector<double> micros;
    micros.reserve(std::size_t(runs));
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        bar->repaint();
        micros.push_back(double(clock.nsecsElapsed()) / 1000.0);
    }
    if (!bar->HoveredItem())
        std::fprintf(stderr, "warning: the pointer was over no row; the hover box was not drawn\n");
    std::nth_element(micros.begin(), micros.begin() + runs / 2, micros.end());
    std::printf("command bar full repaint (121 x 492): median %.1f us over %d runs\n", micros[std::size_t(runs / 2)], runs);
    delete bar;
    return 0;
}

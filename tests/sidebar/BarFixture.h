#pragma once
#include "sidebar/CommandBar.h"

#include <QCursor>
#include <QImage>
#include <QPaintEvent>
#include <QTest>

#include <memory>

// A shown, top-level command bar with one large-icon panel of `rows` items, "Item 0" ...,
// each with an opaque 32 x 32 icon, on a solid white background.
inline std::unique_ptr<TCommandBar> MakeBar(int height, int rows = 4, int rowHeight = 54)
{
    auto bar = std::make_unique<TCommandBar>();
    bar->PanelCaption.SetHeight(0);
    bar->SetCursor(Qt::PointingHandCursor);
    TCommandPanel* panel = bar->Panels.Add();
    panel->SetColor(clWhite);
    panel->SetItemHeight(rowHeight);
    panel->SetHoverFullWidth(true);
    for (int i = 0; i < rows; ++i) {
        TCommandItem* item = panel->Items.Add();
        item->SetCaption(QStringLiteral("Item %1").arg(i));
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(QColor(40 * i, 100, 200));
        item->SetIcon(icon);
    }
    bar->Loaded();
    bar->setGeometry(40, 40, 121, height);
    bar->show();
    if (!QTest::qWaitForWindowExposed(bar.get()))
        qWarning("the command bar was not exposed");
    return bar;
}

// Puts the pointer at `pos` in the bar's client coordinates.
inline void PointAt(QWidget* bar, QPoint pos)
{
    QCursor::setPos(bar->mapToGlobal(pos));
    QTest::mouseMove(bar, pos);
}

inline TCommandPanel* Panel0(TCommandBar& bar)
{
    return bar.Panels[0];
}

// Records the bar's paints: how many, and the region they covered.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

#include "SkinSizer.h"
#include "SkinData.h"

#include <QPainter>

bool TSkinSizer::BeforeMessage(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return TSkinControl::BeforeMessage(event);
    QPainter painter(Control());
    PaintFrame(painter);
    return false;
}

void TSkinSizer::Paint(QPainter& painter, const QRect& rect)
{
    painter.fillRect(rect, ToQColor(ButtonFace()));
    const QColor shadow = ToQColor(Elements().Colours.ButtonShadow);
    const QColor light = ToQColor(Elements().Colours.ButtonHilight);
    const bool mirrored = Control()->layoutDirection() == Qt::RightToLeft;
    const int size = std::min(rect.width(), rect.height());
    for (int ridge = 3; ridge < size; ridge += 4) {
        for (int line = 0; line < 2; ++line) {
            painter.setPen(line == 0 ? light : shadow);
            const int d = ridge + line;
            const QPoint from(rect.right() - d, rect.bottom()), to(rect.right(), rect.bottom() - d);
            if (mirrored)
                painter.drawLine(QPoint(rect.left() + d, rect.bottom()), QPoint(rect.left(), rect.bottom() - d));
            else
                painter.drawLine(from, to);
        }
    }
}

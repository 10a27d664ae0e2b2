#include "SkinProgress.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include <QPainter>
#include <QProgressBar>

QRect TSkinProgress::DoneRect() const
{
    const auto* bar = qobject_cast<const QProgressBar*>(Control());
    if (!bar)
        return {};
    const qint64 position = qint64(bar->value()) - bar->minimum();
    const qint64 upper = qint64(bar->maximum()) - bar->minimum();
    if (position <= 0 || upper <= 0)
        return {};
    const QRect whole = Control()->rect();
    if (bar->orientation() == Qt::Vertical) {
        const int done = int(position * whole.height() / upper);
        return bar->invertedAppearance() ? QRect(0, 0, whole.width(), done)
                                         : QRect(0, whole.height() - done, whole.width(), done);
    }
    const int done = int(position * whole.width() / upper);
    const bool fromRight = bar->invertedAppearance() != (bar->layoutDirection() == Qt::RightToLeft);
    return fromRight ? QRect(whole.width() - done, 0, done, whole.height()) : QRect(0, 0, done, whole.height());
}

bool TSkinProgress::BeforeMessage(QEvent* event)
{
    if (event->type() != QEvent::Paint || !HasPicture(Elements().Progress.get()))
        return TSkinControl::BeforeMessage(event);
    QPainter painter(Control());
    PaintFrame(painter);
    return false;
}

void TSkinProgress::Paint(QPainter& painter, const QRect& rect)
{
    if (!HasPicture(Elements().Progress.get()))
        return;
    const TDataSkinBorder& progress = *Elements().Progress;
    painter.fillRect(rect, ToQColor(ButtonFace()));
    const QRect done = DoneRect();
    if (progress.Style == 1) {
        TransparentBlit(painter, TRect::FromQRect(rect), progress.Image.scaled(rect.size()));
        if (!progress.Image2.isNull() && !done.isEmpty()) {
            painter.save();
            painter.setClipRect(done.adjusted(progress.LeftWidth, 0, 0, 0));
            const QRect chunk(done.left() + progress.LeftWidth, (rect.height() - progress.Image2.height()) / 2,
                              done.width(), progress.Image2.height());
            TileImage(painter, TRect::FromQRect(chunk), WithKeyTransparent(progress.Image2, qRgb(255, 0, 255)),
                      progress.Image2.rect());
            painter.restore();
        }
    } else {
        DrawElement(painter, rect, progress, 1);
        DrawElement(painter, done, progress, 2);
    }
    const auto* bar = qobject_cast<const QProgressBar*>(Control());
    if (bar && bar->isTextVisible() && !bar->text().isEmpty()) {
        painter.setFont(bar->font());
        painter.setPen(ToQColor(Elements().Colours.ButtonText));
        painter.drawText(rect, Qt::AlignCenter, bar->text());
    }
}

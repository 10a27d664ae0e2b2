#include "SkinHeader.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kHotFrame = 2, kPressedFrame = 3, kDisabledFrame = 4, kSortedFrame = 5;
constexpr int kTextIndent = 4;

} // namespace

QHeaderView* TSkinHeader::Header() const
{
    return qobject_cast<QHeaderView*>(Control());
}

void TSkinHeader::Attached()
{
    if (QHeaderView* header = Header())
        WatchPart(header->viewport());
}

int TSkinHeader::SectionFrame(int logicalIndex) const
{
    const QHeaderView* header = Header();
    if (!header->isEnabled())
        return kDisabledFrame;
    if (pressed_ == logicalIndex)
        return kPressedFrame;
    if (hot_ == logicalIndex)
        return kHotFrame;
    if (header->isSortIndicatorShown() && header->sortIndicatorSection() == logicalIndex)
        return kSortedFrame;
    return 1;
}

int TSkinHeader::SectionAt(const QPoint& at) const
{
    const QHeaderView* header = Header();
    return header->logicalIndexAt(header->orientation() == Qt::Horizontal ? at.x() : at.y());
}

bool TSkinHeader::PartMessage(QWidget* part, QEvent* event)
{
    QHeaderView* header = Header();
    if (!header || part != header->viewport() || !HasPicture(Elements().Headerbar.get()))
        return true;
    const int hot = hot_, pressed = pressed_;
    switch (event->type()) {
    case QEvent::Paint:
        PaintSections(part);
        return false;
    case QEvent::MouseMove:
    case QEvent::HoverMove:
        hot_ = SectionAt(static_cast<QSinglePointEvent*>(event)->position().toPoint());
        break;
    case QEvent::MouseButtonPress:
        pressed_ = SectionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::MouseButtonRelease:
        pressed_ = -1;
        break;
    case QEvent::Leave:
    case QEvent::HoverLeave:
        hot_ = -1;
        break;
    default:
        break;
    }
    if (hot != hot_ || pressed != pressed_)
        part->update();
    return true;
}

void TSkinHeader::PaintSections(QWidget* viewport)
{
    QHeaderView* header = Header();
    const TDataSkinObject& bar = *Elements().Headerbar;
    const bool horizontal = header->orientation() == Qt::Horizontal;
    QPainter painter(viewport);
    painter.fillRect(viewport->rect(), ToQColor(ButtonFace()));
    painter.setFont(header->font());
    int end = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const int at = header->sectionViewportPosition(logical);
        const int size = header->sectionSize(logical);
        const QRect section =
            horizontal ? QRect(at, 0, size, viewport->height()) : QRect(0, at, viewport->width(), size);
        end = std::max(end, at + size);
        if (!section.intersects(viewport->rect()))
            continue;
        DrawElement(painter, section, bar, SectionFrame(logical));
        QAbstractItemModel* model = header->model();
        const QString text =
            model ? model->headerData(logical, header->orientation(), Qt::DisplayRole).toString() : QString();
        const QVariant aligned =
            model ? model->headerData(logical, header->orientation(), Qt::TextAlignmentRole) : QVariant();
        const Qt::Alignment alignment = aligned.isValid() ? Qt::Alignment(aligned.toInt()) : header->defaultAlignment();
        painter.setPen(ToQColor(header->isEnabled() ? Elements().Colours.ButtonText : Elements().Colours.ButtonShadow));
        QRect room = section.adjusted(kTextIndent, 0, -kTextIndent, 0);
        if (header->isSortIndicatorShown() && header->sortIndicatorSection() == logical && room.width() > 12) {
            // A small arrow at the right end: up for ascending, down for descending.
            const QPoint tip(room.right() - 4, section.center().y());
            const int dy = header->sortIndicatorOrder() == Qt::AscendingOrder ? -2 : 2;
            painter.setBrush(ToQColor(Elements().Colours.ButtonShadow));
            painter.drawPolygon(QPolygon({tip + QPoint(-4, -dy), tip + QPoint(4, -dy), tip + QPoint(0, dy)}));
            room.setRight(room.right() - 12);
        }
        painter.drawText(room, int(alignment | Qt::AlignVCenter),
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, room.width()));
    }
    const QRect rest = horizontal ? QRect(end, 0, viewport->width() - end, viewport->height())
                                  : QRect(0, end, viewport->width(), viewport->height() - end);
    if (rest.isValid() && !rest.isEmpty())
        DrawElement(painter, rest, bar, header->isEnabled() ? 1 : kDisabledFrame);
}

#include "SkinScrollbar.h"
#include "SkinControlPaint.h"
#include "SkinData.h"
#include "SkinHeader.h"
#include "WinSkinForm.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTreeView>

namespace {

constexpr int kArrowUp = 1, kArrowDown = 5, kArrowLeft = 9, kArrowRight = 13;
constexpr int kCornerFrame = 17;

QStyleOptionSlider ScrollBarOption(const QScrollBar* bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return option;
}

QRect PartRect(const QScrollBar* bar, const QStyleOptionSlider& option, QStyle::SubControl part)
{
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

// The track frame of a page part: 1 normal, 2 hot, 3 pressed, 4 disabled.
int TrackFrame(const QScrollBar* bar, QStyle::SubControl page, const TScrollBarParts& parts)
{
    if (!bar->isEnabled() || bar->minimum() == bar->maximum())
        return 4;
    if (parts.pressed == page)
        return 3;
    return parts.hot == page ? 2 : 1;
}

} // namespace

bool TScrollBarSkin::CanPaint(const TSkinElements& elements)
{
    return HasPicture(elements.Scrollbar.get());
}

bool TScrollBarSkin::Follow(QScrollBar* bar, QEvent* event, TScrollBarParts& parts)
{
    const auto partAt = [bar](const QPointF& at) {
        const QStyleOptionSlider option = ScrollBarOption(bar);
        return bar->style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, at.toPoint(), bar);
    };
    const TScrollBarParts before = parts;
    switch (event->type()) {
    case QEvent::HoverMove:
    case QEvent::MouseMove:
        parts.hot = partAt(static_cast<QSinglePointEvent*>(event)->position());
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        parts.hot = QStyle::SC_None;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        parts.pressed = partAt(static_cast<QMouseEvent*>(event)->position());
        break;
    case QEvent::MouseButtonRelease:
        parts.pressed = QStyle::SC_None;
        break;
    default:
        break;
    }
    const bool changed = before.hot != parts.hot || before.pressed != parts.pressed;
    if (changed)
        bar->update();
    return changed;
}

int TScrollBarSkin::ArrowFrame(const QScrollBar* bar, QStyle::SubControl arrow, const TScrollBarParts& parts)
{
    const bool horizontal = bar->orientation() == Qt::Horizontal;
    // A right-to-left horizontal bar has its "back" arrow on the right, pointing right.
    const bool back =
        (arrow == QStyle::SC_ScrollBarSubLine) != (horizontal && bar->layoutDirection() == Qt::RightToLeft);
    const int first = horizontal ? (back ? kArrowLeft : kArrowRight) : (back ? kArrowUp : kArrowDown);
    const bool atEnd =
        arrow == QStyle::SC_ScrollBarSubLine ? bar->value() <= bar->minimum() : bar->value() >= bar->maximum();
    if (!bar->isEnabled() || atEnd)
        return first + 3;
    if (parts.pressed == arrow)
        return first + 2;
    return parts.hot == arrow ? first + 1 : first;
}

void TScrollBarSkin::Paint(QPainter& painter, QScrollBar* bar, const TSkinElements& elements,
                           const TScrollBarParts& parts)
{
    const QStyleOptionSlider option = ScrollBarOption(bar);
    const bool horizontal = bar->orientation() == Qt::Horizontal;
    painter.fillRect(bar->rect(), ToQColor(elements.Colours.ButtonFace));

    const QRect groove = PartRect(bar, option, QStyle::SC_ScrollBarGroove);
    const TDataSkinObject* track = horizontal ? elements.HorzScroll.get() : elements.VertScroll.get();
    if (HasPicture(track)) {
        for (QStyle::SubControl page : {QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage})
            DrawElement(painter, PartRect(bar, option, page), *track, TrackFrame(bar, page, parts));
    } else {
        painter.fillRect(groove, ToQColor(elements.Colours.Scrollbar));
    }
    const TDataSkinObject* thumb = horizontal ? elements.HorzScrollThumb.get() : elements.VertScrollThumb.get();
    const QRect slider = PartRect(bar, option, QStyle::SC_ScrollBarSlider);
    if (HasPicture(thumb) && bar->minimum() != bar->maximum()) {
        const int frame = parts.pressed == QStyle::SC_ScrollBarSlider ? 3
            : parts.hot == QStyle::SC_ScrollBarSlider                 ? 2
                                                                      : 1;
        DrawElement(painter, slider, *thumb, frame);
    }
    for (QStyle::SubControl arrow : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine})
        DrawElement(painter, PartRect(bar, option, arrow), *elements.Scrollbar, ArrowFrame(bar, arrow, parts));
}

bool TSkinScControl::BeforeMessage(QEvent* event)
{
    auto* bar = qobject_cast<QScrollBar*>(Control());
    if (!bar || !TScrollBarSkin::CanPaint(Elements()))
        return TSkinControl::BeforeMessage(event);
    if (event->type() == QEvent::Paint) {
        QPainter painter(bar);
        TScrollBarSkin::Paint(painter, bar, Elements(), parts_);
        return false;
    }
    TScrollBarSkin::Follow(bar, event, parts_);
    return TSkinControl::BeforeMessage(event);
}

TSkinScrollbar::TSkinScrollbar(QWidget* control, TSkinnerKind kind) : TSkinControl(control, kind)
{
}

void TSkinScrollbar::Attached()
{
    auto* area = qobject_cast<QAbstractScrollArea*>(Control());
    if (!area)
        return;
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
        parts_.insert(bar, {});
        WatchPart(bar);
    }
    QList<QHeaderView*> headers;
    if (auto* grid = qobject_cast<QTableView*>(area))
        headers = {grid->horizontalHeader(), grid->verticalHeader()};
    else if (auto* tree = qobject_cast<QTreeView*>(area))
        headers = {tree->header()};
    // A grid's headers are its fixed cells, in ButtonFace while skinned.
    const TSkinnerOptions headerOptions{.recolour = qobject_cast<QTableView*>(area) != nullptr};
    for (QHeaderView* header : headers)
        if (header && !WindowSkinner()->HasSkinnerFor(header))
            (new TSkinHeader(header))->Init(WindowSkinner(), SkinData(), headerOptions);
}

bool TSkinScrollbar::PartMessage(QWidget* part, QEvent* event)
{
    auto* bar = qobject_cast<QScrollBar*>(part);
    if (!bar || !parts_.contains(bar) || !TScrollBarSkin::CanPaint(Elements()))
        return true;
    if (event->type() == QEvent::Paint) {
        QPainter painter(bar);
        TScrollBarSkin::Paint(painter, bar, Elements(), parts_[bar]);
        return false;
    }
    TScrollBarSkin::Follow(bar, event, parts_[bar]);
    return true;
}

void TSkinScrollbar::Paint(QPainter& painter, const QRect& rect)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(Control());
    if (!area || !TScrollBarSkin::CanPaint(Elements()))
        return;
    // The square between two scroll bars.
    QScrollBar* across = area->horizontalScrollBar();
    QScrollBar* down = area->verticalScrollBar();
    if (across->isVisible() && down->isVisible()) {
        const QRect corner(down->mapTo(area, QPoint()).x(), across->mapTo(area, QPoint()).y(), down->width(),
                           across->height());
        DrawElement(painter, corner, *Elements().Scrollbar, kCornerFrame);
    }
    const int width = area->frameWidth();
    if (!Options().withBorder || width <= 0)
        return;
    QWidget* focused = QApplication::focusWidget();
    const bool hasFocus = focused && (focused == area || area->isAncestorOf(focused));
    if (const TDataSkinObject* edge = Elements().SunkEdge.get(); HasPicture(edge)) {
        DrawElementBorder(painter, rect, *edge, !area->isEnabled() ? 3 : hasFocus ? 4 : 1);
        return;
    }
    painter.setPen(ToQColor(Elements().Colours.ButtonShadow));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

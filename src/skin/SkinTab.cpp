#include "SkinTab.h"
#include "ImageOperations.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include <QHoverEvent>
#include <QPainter>
#include <QTabBar>
#include <QTabWidget>

namespace {

// How the tab picture is turned: as drawn (tabs above the pages), upside down (below), turned
// left (tabs on the left) or right (on the right).
enum TTurn { tnNone, tnFlip, tnLeft, tnRight };

constexpr int kSelectedFrame = 3, kHotFrame = 2, kDisabledFrame = 4, kFocusedFrame = 5;

// A tab frame turned, with its margins turned along.
struct TTurnedFrame {
    QImage image;
    TSliceMargins margins;
};

TTurnedFrame TurnFrame(const TDataSkinObject& tabs, int frame, int turn)
{
    const QImage part = tabs.Image.copy(SkinFrameRect(tabs.Image, tabs.FrameCount, frame));
    const int l = tabs.LeftWidth, t = tabs.TopHeight, r = tabs.RightWidth, b = tabs.BottomHeight;
    switch (turn) {
    case tnFlip:
        return {FlipImage(part), {l, b, r, t}};
    case tnLeft:
        return {RotateImageLeft(part), {t, r, b, l}};
    case tnRight:
        return {RotateImageRight(part), {b, l, t, r}};
    default:
        return {part, {l, t, r, b}};
    }
}

// The tab's caption, read along the tab: turned for tabs on the left or right.
void DrawTabText(QPainter& painter, const QRect& tab, const QString& text, int turn)
{
    painter.save();
    QRect place = tab;
    if (turn == tnLeft || turn == tnRight) {
        painter.translate(tab.center());
        painter.rotate(turn == tnLeft ? -90 : 90);
        place = QRect(-tab.height() / 2, -tab.width() / 2, tab.height(), tab.width());
    }
    painter.drawText(place, Qt::AlignCenter | Qt::TextShowMnemonic, text);
    painter.restore();
}

} // namespace

TSkinTab::TSkinTab(QWidget* control, TSkinnerKind kind) : TSkinControl(control, kind)
{
}

void TSkinTab::Attached()
{
    QTabBar* bar = Bar();
    if (bar != Control())
        WatchPart(bar);
    // Without hover events the bar hears nothing of the pointer moving from tab to tab.
    if (bar && !bar->testAttribute(Qt::WA_Hover)) {
        bar->setAttribute(Qt::WA_Hover);
        madeHoverable_ = true;
    }
}

void TSkinTab::Restore()
{
    if (QTabBar* bar = Bar(); bar && madeHoverable_)
        bar->setAttribute(Qt::WA_Hover, false);
    madeHoverable_ = false;
    pointedTab_ = -1;
    TSkinControl::Restore();
}

void TSkinTab::FollowPointer(QTabBar* bar, QEvent* event)
{
    int pointed = pointedTab_;
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        pointed = bar->tabAt(static_cast<QHoverEvent*>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
        pointed = -1;
        break;
    default:
        return;
    }
    if (pointed != pointedTab_) {
        pointedTab_ = pointed;
        bar->update();
    }
}

QTabBar* TSkinTab::Bar() const
{
    if (auto* bar = qobject_cast<QTabBar*>(Control()))
        return bar;
    if (auto* pages = qobject_cast<QTabWidget*>(Control()))
        return pages->tabBar();
    return nullptr;
}

bool TSkinTab::HasTabsPicture() const
{
    return HasPicture(Elements().Tabs.get());
}

int TSkinTab::TurnsFor(const QTabBar* bar) const
{
    switch (bar->shape()) {
    case QTabBar::RoundedSouth:
    case QTabBar::TriangularSouth:
        return tnFlip;
    case QTabBar::RoundedWest:
    case QTabBar::TriangularWest:
        return tnLeft;
    case QTabBar::RoundedEast:
    case QTabBar::TriangularEast:
        return tnRight;
    default:
        return tnNone;
    }
}

int TSkinTab31::TurnsFor(const QTabBar*) const
{
    return tnFlip;
}

int TSkinTab::TabFrame(const QTabBar* bar, int index) const
{
    if (!bar->isEnabled() || !bar->isTabEnabled(index))
        return kDisabledFrame;
    if (index == bar->currentIndex())
        return bar->hasFocus() ? kFocusedFrame : kSelectedFrame;
    if (bar->underMouse() && index == pointedTab_)
        return kHotFrame;
    return 1;
}

bool TSkinTab::BeforeMessage(QEvent* event)
{
    if (HasTabsPicture() && Bar() == Control()) {
        if (event->type() == QEvent::Paint) {
            PaintBar(Bar());
            return false;
        }
        FollowPointer(Bar(), event);
    }
    return TSkinControl::BeforeMessage(event);
}

bool TSkinTab::PartMessage(QWidget* part, QEvent* event)
{
    if (!HasTabsPicture() || part != Bar())
        return true;
    if (event->type() == QEvent::Paint) {
        PaintBar(Bar());
        return false;
    }
    FollowPointer(Bar(), event);
    return true;
}

void TSkinTab::Paint(QPainter& painter, const QRect&)
{
    if (HasTabsPicture() && Bar() != Control())
        PaintPages(painter);
}

void TSkinTab::PaintBar(QTabBar* bar)
{
    const TDataSkinBorder& tabs = *Elements().Tabs;
    const int turn = TurnsFor(bar);
    QPainter painter(bar);
    painter.fillRect(bar->rect(), ToQColor(ButtonFace()));
    painter.setFont(bar->font());
    // The selected tab last: it overlaps its neighbours.
    QList<int> order;
    for (int i = 0; i < bar->count(); ++i)
        if (i != bar->currentIndex() && bar->isTabVisible(i))
            order.append(i);
    if (bar->currentIndex() >= 0)
        order.append(bar->currentIndex());
    for (int i : order) {
        const QRect place = bar->tabRect(i);
        const TTurnedFrame frame = TurnFrame(tabs, TabFrame(bar, i), turn);
        const QImage face = ComposeNineSlice(place.size(), frame.image, frame.margins, false, tabs.Tile == 1, 1, 1);
        if (tabs.Trans == 1)
            TransparentBlit(painter, TRect::FromQRect(place), face);
        else
            painter.drawImage(place.topLeft(), face);
        QRect text = place;
        const QIcon icon = bar->tabIcon(i);
        if (!icon.isNull() && turn != tnLeft && turn != tnRight) {
            const QSize size = bar->iconSize();
            icon.paint(&painter, QRect(QPoint(place.left() + 6, place.center().y() - size.height() / 2), size),
                       Qt::AlignCenter, bar->isTabEnabled(i) ? QIcon::Normal : QIcon::Disabled);
            text.setLeft(place.left() + 6 + size.width());
        }
        painter.setPen(ToQColor(bar->isTabEnabled(i) && bar->isEnabled() ? Elements().Colours.ButtonText
                                                                         : Elements().Colours.ButtonShadow));
        DrawTabText(painter, text, bar->tabText(i), turn);
    }
}

void TSkinTab::PaintPages(QPainter& painter)
{
    const TDataSkinBorder& tabs = *Elements().Tabs;
    QTabBar* bar = Bar();
    if (tabs.Image2.isNull() || !bar)
        return;
    QRect pages = Control()->rect();
    const QRect tabsAt = bar->geometry();
    switch (TurnsFor(bar)) {
    case tnFlip:
        pages.setBottom(tabsAt.top());
        break;
    case tnLeft:
        pages.setLeft(tabsAt.right());
        break;
    case tnRight:
        pages.setRight(tabsAt.left());
        break;
    default:
        pages.setTop(tabsAt.bottom());
        break;
    }
    TDataSkinObject border = tabs;
    border.FrameCount = 1;
    DrawElement(painter, pages, border, 1, tabs.Image2);
}

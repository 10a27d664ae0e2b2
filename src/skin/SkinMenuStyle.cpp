#include "SkinMenuStyle.h"
#include "SkinData.h"
#include "SkinManager.h"
#include "SkinPrimitives.h"
#include "WinSkinForm.h"
#include "WinSkinPopMenu.h"

#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <qdrawutil.h>

namespace {

constexpr int kItemFrames = 5;
constexpr int kImageColumn = 16;
constexpr int kSeparatorHeight = 8;
constexpr int kRightGap = 8;

QColor Colour(TColor colour)
{
    return ToQColor(colour);
}

// The MenuItem element when it has an image.
const TDataSkinObject* MenuItemElement(const TSkinElements& e)
{
    return e.MenuItem && !e.MenuItem->Image.isNull() ? e.MenuItem.get() : nullptr;
}

TSliceMargins Margins(const TDataSkinObject& e)
{
    return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

void DrawComposed(QPainter& painter, const QRect& target, const QImage& composed, bool transparent)
{
    if (transparent)
        TransparentBlit(painter, TRect::FromQRect(target), composed);
    else
        painter.drawImage(target.topLeft(), composed);
}

void DrawSeparator(QPainter& painter, const TSkinElements& e, const QRect& r)
{
    if (const TDataSkinObject* element = MenuItemElement(e)) {
        // The second of the five frames, as high as the image, at the bottom of the item.
        const int h = std::min(element->Image.height(), r.height());
        const QRect target(r.left(), r.bottom() + 1 - h, r.width(), h);
        const QImage line =
            ComposeNineSlice(target.size(), element->Image, {element->LeftWidth, 0, element->RightWidth, 0}, false,
                             element->Tile == 1, kItemFrames, 2);
        DrawComposed(painter, target, line, true);
        return;
    }
    const int y = r.top() + 4;
    painter.setPen(Colour(e.Colours.ButtonShadow));
    painter.drawLine(r.left() + 1, y, r.right() - 1, y);
    painter.setPen(Colour(e.Colours.ButtonHilight));
    painter.drawLine(r.left() + 1, y + 1, r.right() - 1, y + 1);
}

void DrawCheckMark(QPainter& painter, const QRect& cell, const QColor& colour)
{
    const QPointF c = QRectF(cell).center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2));
    painter.drawPolyline(QPolygonF({c + QPointF(-4, 0), c + QPointF(-1, 3), c + QPointF(4, -3)}));
    painter.restore();
}

void DrawSubMenuArrow(QPainter& painter, const QRect& r, const QColor& colour, bool rightToLeft)
{
    const int x = rightToLeft ? r.left() + 6 : r.right() - 6;
    const int y = r.center().y();
    const int d = rightToLeft ? 3 : -3;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + d, y - 3), QPoint(x + d, y + 3)}));
    painter.restore();
}

} // namespace

QSize MeasureSkinMenuItem(const TSkinElements& e, const QStyleOptionMenuItem& item, QSize contents, bool popup)
{
    const TDataSkinObject* element = MenuItemElement(e);
    if (item.menuItemType == QStyleOptionMenuItem::Separator)
        return QSize(contents.width(), element ? std::max(element->Image.height(), 4) : kSeparatorHeight);
    const bool images = item.maxIconWidth > 0;
    // The picture column and the gaps around the text.
    int width =
        contents.width() + (element ? element->LeftWidth : 0) + 10 + (images ? kImageColumn + 4 : 25) + kRightGap;
    if (popup)
        width += 12 + (images ? 0 : 23);
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu)
        width += 12;
    return QSize(width, std::max(contents.height() + 5, kImageColumn + 3));
}

void DrawSkinMenuItem(QPainter& painter, const TSkinElements& e, const QStyleOptionMenuItem& item,
                      const QImage* background)
{
    const QRect r = item.rect;
    const bool selected = item.state & QStyle::State_Selected;
    const bool enabled = item.state & QStyle::State_Enabled;
    const bool rightToLeft = item.direction == Qt::RightToLeft;
    const TDataSkinObject* element = MenuItemElement(e);
    painter.save();
    painter.setClipRect(r);
    if (background)
        painter.drawImage(r, *background, r);
    else
        painter.fillRect(r, Colour(e.Colours.Menu));

    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        DrawSeparator(painter, e, r);
        painter.restore();
        return;
    }
    if (element) {
        const QImage face = ComposeNineSlice(r.size(), element->Image, Margins(*element), false, element->Tile == 1,
                                             kItemFrames, selected ? 4 : 1);
        DrawComposed(painter, r, face, element->Trans == 1);
    } else if (selected) {
        painter.fillRect(r, Colour(e.Colours.Hilight));
    }

    // The picture column, then the caption and the shortcut.
    const int column = std::max(item.maxIconWidth, kImageColumn);
    const QRect cell = QStyle::visualRect(
        item.direction, r, QRect(r.left() + (element ? element->LeftWidth : 0) + 2, r.top(), column, r.height()));
    const QRect iconCell(cell.center().x() - kImageColumn / 2 + 1, cell.center().y() - kImageColumn / 2 + 1,
                         kImageColumn, kImageColumn);
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
    if (checked && !item.icon.isNull()) {
        const QRect box = iconCell.adjusted(-2, -2, 2, 2);
        painter.fillRect(box, QBrush(Colour(e.Colours.ButtonFace)));
        painter.fillRect(box, QBrush(Colour(e.Colours.ButtonHilight), Qt::Dense4Pattern));
        qDrawShadePanel(&painter, box, item.palette, true, 1);
    } else if (checked) {
        DrawCheckMark(painter, iconCell, Colour(e.Colours.ButtonText));
    }
    if (!item.icon.isNull())
        item.icon.paint(&painter, iconCell, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);

    TColor text = selected ? e.Colours.HilightText : e.Colours.MenuText;
    if (!enabled)
        text = e.Colours.ButtonShadow == e.Colours.MenuText ? clBtnShadow : e.Colours.ButtonShadow;
    QFont font = item.font;
    font.setBold(item.menuItemType == QStyleOptionMenuItem::DefaultItem);
    painter.setFont(font);
    painter.setPen(Colour(text));
    const int textLeft = r.left() + (element ? element->LeftWidth : 0) + 2 + column + 6;
    const QRect textRect =
        QStyle::visualRect(item.direction, r, QRect(textLeft, r.top(), r.right() - 16 - textLeft, r.height()));
    const qsizetype tab = item.text.indexOf(u'\t');
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    painter.drawText(textRect, flags | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft), item.text.left(tab));
    if (tab >= 0)
        painter.drawText(textRect, flags | (rightToLeft ? Qt::AlignLeft : Qt::AlignRight), item.text.mid(tab + 1));
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu)
        DrawSubMenuArrow(painter, r, Colour(text), rightToLeft);
    painter.restore();
}

TSkinMenuStyle::TSkinMenuStyle(TSkinManage& manager) : manager_(manager)
{
}

const QImage* TSkinMenuStyle::FrameOf(const QWidget* menu) const
{
    TWinSkinPopMenu* popup = manager_.FindPopupSkinner(menu);
    if (!popup || !popup->DrawsFrame())
        return nullptr;
    const QImage& frame = popup->FrameImage();
    return frame.isNull() ? nullptr : &frame;
}

const TSkinElements* TSkinMenuStyle::ItemElementsOf(const QWidget* menu) const
{
    if (!menu || !manager_.Enabled() || menu->property(kSkinItemsProperty).toInt() == 0)
        return nullptr;
    TWinSkinPopMenu* popup = manager_.FindPopupSkinner(menu);
    TSkinData* data = popup ? popup->SkinData() : nullptr;
    return data && !data->SkinEmpty() ? &data->Elements() : nullptr;
}

int TSkinMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_MenuPanelWidth) {
        if (FrameOf(widget))
            return TWinSkinPopMenu::kFrameWidth;
        // Room for the one-pixel edge drawPrimitive gives skinned items; the items would
        // cover it otherwise.
        if (ItemElementsOf(widget))
            return 1;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void TSkinMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        if (const QImage* frame = FrameOf(widget)) {
            painter->drawImage(option->rect, *frame, option->rect);
            return;
        }
        if (const TSkinElements* e = ItemElementsOf(widget)) {
            if (element == PE_PanelMenu)
                painter->fillRect(option->rect, Colour(e->Colours.Menu));
            painter->setPen(Colour(e->Colours.ButtonShadow));
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TSkinMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    if (element == CE_MenuItem) {
        if (const TSkinElements* e = ItemElementsOf(widget)) {
            DrawSkinMenuItem(*painter, *e, *static_cast<const QStyleOptionMenuItem*>(option), FrameOf(widget));
            return;
        }
    }
    if (element == CE_MenuEmptyArea) {
        if (const QImage* frame = FrameOf(widget)) {
            painter->drawImage(option->rect, *frame, option->rect);
            return;
        }
        if (const TSkinElements* e = ItemElementsOf(widget)) {
            painter->fillRect(option->rect, Colour(e->Colours.Menu));
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize TSkinMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                                       const QWidget* widget) const
{
    if (type == CT_MenuItem)
        if (const TSkinElements* e = ItemElementsOf(widget))
            return MeasureSkinMenuItem(*e, *static_cast<const QStyleOptionMenuItem*>(option), contents,
                                       widget->property(kSkinItemsProperty).toInt() == 2);
    return QProxyStyle::sizeFromContents(type, option, contents, widget);
}

// The four 32 x 32 command icons of the main window's sidebar.
#include "Drawings.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(22, 64, 140);
const QColor kSea(24, 160, 170);
const QColor kSun(255, 190, 60);
const QColor kPaper(252, 252, 246);

// A transparent 32 x 32 icon painted by `paint` with antialiasing.
QImage Icon32(void (*paint)(QPainter&))
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return image;
}

// A sheet of paper with a folded top-right corner.
void DrawSheet(QPainter& p, const QRectF& box)
{
    const qreal fold = box.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(box.topLeft());
    sheet.lineTo(box.right() - fold, box.top());
    sheet.lineTo(box.right(), box.top() + fold);
    sheet.lineTo(box.bottomRight());
    sheet.lineTo(box.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(box.right() - fold, box.top());
    corner.lineTo(box.right() - fold, box.top() + fold);
    corner.lineTo(box.right(), box.top() + fold);
    p.setBrush(QColor(210, 222, 236));
    p.drawPath(corner);
}

// A person's head and shoulders with an arrow pointing in.
void PaintLoginIcon(QPainter& p)
{
    QLinearGradient body(0, 14, 0, 31);
    body.setColorAt(0, kSea);
    body.setColorAt(1, kInk);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(body);
    QPainterPath shoulders;
    shoulders.moveTo(5, 30.5);
    shoulders.cubicTo(5, 19, 10, 17, 15, 17);
    shoulders.cubicTo(20, 17, 25, 19, 25, 30.5);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setBrush(QColor(250, 214, 170));
    p.drawEllipse(QPointF(15, 10), 5.5, 6);
    // The arrow, entering from the right.
    QPainterPath arrow;
    arrow.moveTo(31, 19);
    arrow.lineTo(23, 19);
    arrow.lineTo(23, 15);
    arrow.lineTo(17, 21.5);
    arrow.lineTo(23, 28);
    arrow.lineTo(23, 24);
    arrow.lineTo(31, 24);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(120, 80, 0), 1));
    p.setBrush(kSun);
    p.drawPath(arrow);
}

// A sheet with lines of script and a pencil across it.
void PaintScriptIcon(QPainter& p)
{
    DrawSheet(p, QRectF(4.5, 2.5, 20, 27));
    p.setPen(QPen(kSea, 2, Qt::SolidLine, Qt::RoundCap));
    const qreal widths[] = {9, 12, 7, 11, 8};
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(8 + (i % 2) * 2, 11 + i * 3.6), QPointF(8 + (i % 2) * 2 + widths[i], 11 + i * 3.6));
    // The pencil, tip at the lower left.
    p.translate(21, 23);
    p.rotate(-45);
    p.setPen(QPen(QColor(90, 60, 10), 1));
    p.setBrush(kSun);
    p.drawRect(QRectF(0, -2.5, 12, 5));
    p.setBrush(QColor(230, 120, 120));
    p.drawRect(QRectF(12, -2.5, 3, 5));
    QPainterPath tip;
    tip.moveTo(0, -2.5);
    tip.lineTo(-5, 0);
    tip.lineTo(0, 2.5);
    tip.closeSubpath();
    p.setBrush(QColor(240, 220, 180));
    p.drawPath(tip);
}

// A web page: a window with a title band and a pair of angle brackets.
void PaintHtmlPageIcon(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(2.5, 4.5, 27, 23), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kSea);
    p.drawRect(QRectF(3.2, 5.2, 25.6, 5));
    p.setBrush(kSun);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(6.5 + i * 3.5, 7.7), 1.2, 1.2);
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath brackets;
    brackets.moveTo(12, 14);
    brackets.lineTo(7.5, 18.5);
    brackets.lineTo(12, 23);
    brackets.moveTo(20, 14);
    brackets.lineTo(24.5, 18.5);
    brackets.lineTo(20, 23);
    p.drawPath(brackets);
    p.setPen(QPen(kSea, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17.5, 13.5), QPointF(14.5, 23.5));
}

// A question mark on a round blue badge.
void PaintHelpIcon(QPainter& p)
{
    QLinearGradient badge(0, 2, 0, 30);
    badge.setColorAt(0, kSea);
    badge.setColorAt(1, kInk);
    p.setPen(QPen(kInk.darker(130), 1));
    p.setBrush(badge);
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath mark;
    mark.moveTo(11.5, 12);
    mark.cubicTo(11.5, 6.5, 20.5, 6.5, 20.5, 12);
    mark.cubicTo(20.5, 15.5, 16, 15.5, 16, 19);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(kSun);
    p.drawEllipse(QPointF(16, 24), 2.1, 2.1);
}

} // namespace

QList<Drawing> SidebarIconDrawings()
{
    return {
        {QStringLiteral("sidebar/login.png"), [] { return Icon32(PaintLoginIcon); }},
        {QStringLiteral("sidebar/script.png"), [] { return Icon32(PaintScriptIcon); }},
        {QStringLiteral("sidebar/htmlpage.png"), [] { return Icon32(PaintHtmlPageIcon); }},
        {QStringLiteral("sidebar/help.png"), [] { return Icon32(PaintHelpIcon); }},
    };
}

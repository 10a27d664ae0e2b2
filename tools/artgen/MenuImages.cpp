// The main window's 16 x 16 image list: the tray menu's pictures among them ("Login" is
// picture 6, "Open vellomar" picture 3).
#include "Drawings.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(22, 64, 140);
const QColor kSea(24, 160, 170);
const QColor kSun(255, 190, 60);

QImage Tile(const std::function<void(QPainter&)>& paint)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return image;
}

QImage ChatBubble()
{
    return Tile([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(1.5, 2.5, 13, 9), 3, 3);
        bubble.moveTo(4, 11);
        bubble.lineTo(3, 14.5);
        bubble.lineTo(7.5, 11);
        p.drawPath(bubble.simplified());
        p.setPen(Qt::NoPen);
        p.setBrush(kSea);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(5 + i * 3, 7), 1.1, 1.1);
    });
}

QImage Person()
{
    return Tile([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kSea);
        p.drawEllipse(QPointF(8, 5), 3, 3);
        p.setBrush(kInk);
        p.drawChord(QRectF(2.5, 9, 11, 11), 0, 180 * 16);
    });
}

QImage Question()
{
    return Tile([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QImage OpenWindow()
{
    return Tile([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(QRectF(1.5, 2.5, 13, 3));
        p.setBrush(kSun);
        p.drawEllipse(QPointF(12.5, 4), 1, 1);
        p.setBrush(kSea);
        p.drawRect(QRectF(3.5, 7.5, 3, 4.5));
    });
}

QImage Page()
{
    return Tile([](QPainter& p) {
        QPainterPath sheet;
        sheet.moveTo(3.5, 1.5);
        sheet.lineTo(10, 1.5);
        sheet.lineTo(12.5, 4);
        sheet.lineTo(12.5, 14.5);
        sheet.lineTo(3.5, 14.5);
        sheet.closeSubpath();
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawPath(sheet);
        p.setPen(QPen(kSea, 1));
        for (int y = 6; y <= 12; y += 2)
            p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
    });
}

QImage Palette()
{
    return Tile([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(240, 226, 200));
        p.drawEllipse(QRectF(1.5, 2.5, 13, 11));
        p.setPen(Qt::NoPen);
        const QColor dots[] = {kSea, kSun, QColor(200, 60, 60), kInk};
        const QPointF at[] = {{5, 6}, {8.5, 5}, {11.5, 7}, {10.5, 10.5}};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(dots[i]);
            p.drawEllipse(at[i], 1.4, 1.4);
        }
    });
}

QImage Key()
{
    return Tile([](QPainter& p) {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kSun);
        p.drawEllipse(QPointF(5, 8), 3.3, 3.3);
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8.3, 8), QPointF(15, 8));
        p.drawLine(QPointF(12.5, 8), QPointF(12.5, 11));
        p.drawLine(QPointF(14.5, 8), QPointF(14.5, 10.5));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(4.5, 8), 1, 1);
    });
}

} // namespace

QList<Drawing> MenuImageDrawings()
{
    const std::function<QImage()> pictures[] = {ChatBubble, Person, Question, OpenWindow, Page, Palette, Key};
    QList<Drawing> drawings;
    for (int i = 0; i < int(std::size(pictures)); ++i)
        drawings.append({QStringLiteral("imagelist/%1.png").arg(i), pictures[i]});
    return drawings;
}

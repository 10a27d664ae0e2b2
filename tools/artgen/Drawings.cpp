#include "Drawings.h"
#include "LoginButtons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kDeepBlue(22, 64, 140);
const QColor kTeal(24, 160, 170);
const QColor kAmber(255, 190, 60);

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A speech bubble with a tail at the lower left, inside `box`.
QPainterPath Bubble(const QRectF& box)
{
    QPainterPath path;
    const QRectF body(box.x(), box.y(), box.width(), box.height() * 0.78);
    path.addRoundedRect(body, body.height() * 0.35, body.height() * 0.35);
    QPainterPath tail;
    tail.moveTo(box.x() + box.width() * 0.22, body.bottom() - 1);
    tail.lineTo(box.x() + box.width() * 0.12, box.bottom());
    tail.lineTo(box.x() + box.width() * 0.45, body.bottom() - 1);
    tail.closeSubpath();
    return path.united(tail);
}

// The letter V as two strokes, for the middle of the bubble.
void DrawV(QPainter& p, const QRectF& box, const QColor& colour, qreal stroke)
{
    QPainterPath v;
    v.moveTo(box.left(), box.top());
    v.lineTo(box.center().x(), box.bottom());
    v.lineTo(box.right(), box.top());
    p.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
}

} // namespace

const QList<int>& AppIconSizes()
{
    static const QList<int> sizes{16, 20, 24, 32, 40, 48, 64, 72, 96, 128, 192, 256};
    return sizes;
}

QImage DrawAppIcon(int size)
{
    QImage image = Blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0, kTeal);
    fill.setColorAt(1, kDeepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(tile, s * 0.2, s * 0.2);

    const QRectF bubbleBox(s * 0.16, s * 0.18, s * 0.68, s * 0.64);
    p.setBrush(Qt::white);
    p.drawPath(Bubble(bubbleBox));
    const QRectF letter(s * 0.36, s * 0.3, s * 0.28, s * 0.26);
    DrawV(p, letter, kDeepBlue, std::max(1.5, s * 0.085));
    if (size >= 32) {
        p.setBrush(kAmber);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(s * 0.8, s * 0.22), s * 0.1, s * 0.1);
    }
    return image;
}

QImage DrawSplashPicture()
{
    QImage image(480, 200, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 480, 200);
    sky.setColorAt(0, QColor(18, 52, 118));
    sky.setColorAt(0.6, QColor(20, 120, 150));
    sky.setColorAt(1, QColor(30, 170, 160));
    p.fillRect(image.rect(), sky);

    // Soft rings behind the logo.
    for (int i = 0; i < 5; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 28 - i * 4), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(70, 100), 60.0 + i * 22, 60.0 + i * 22);
    }
    p.drawImage(QRectF(22, 52, 96, 96), DrawAppIcon(192));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(29);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(134, 56, 260, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vellomar Chat"));

    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(14);
    p.setFont(line);
    p.setPen(QColor(220, 240, 255));
    p.drawText(QRectF(136, 102, 260, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Your chat room, one click away"));
    p.setPen(kAmber);
    p.drawText(QRectF(136, 134, 260, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Starting…"));

    // Bubbles drifting off the right edge, past what the start-up window shows.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(255, 255, 255, 40 + i * 15));
        p.drawPath(Bubble(QRectF(392 + i * 20, 150 - i * 38, 30 + i * 4, 26 + i * 3)));
    }
    return image;
}

QList<Drawing> AllDrawings()
{
    QList<Drawing> drawings;
    for (int size : AppIconSizes())
        drawings.append({QStringLiteral("icon/vellomar-%1.png").arg(size), [size] { return DrawAppIcon(size); }});
    drawings.append(LoginButtonDrawings());
    drawings.append({QStringLiteral("splash.png"), [] { return DrawSplashPicture(); }});
    drawings.append(SidebarIconDrawings());
    drawings.append(MenuImageDrawings());
    return drawings;
}

#include "LoginButtons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kDeepBlue(22, 64, 140);
const QColor kTeal(24, 160, 170);
const QColor kAmber(255, 190, 60);
const QColor kGreen(46, 160, 80);

QImage Canvas(int size, QPainter& p)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    return image;
}

// A round head and shoulders, the person who logs in or signs up; drawn on a 32 unit grid.
void DrawPerson(QPainter& p, const QColor& colour)
{
    QLinearGradient fill(0, 4, 0, 30);
    fill.setColorAt(0, colour.lighter(130));
    fill.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(160), 1.2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(9, 3, 12, 12));
    QPainterPath body;
    body.moveTo(3, 30);
    body.cubicTo(3, 18, 27, 18, 27, 30);
    body.closeSubpath();
    p.drawPath(body);
}

// Login: a person with an arrow entering a door frame.
QImage DrawLoginPicture(int size)
{
    QPainter p;
    QImage image = Canvas(size, p);
    DrawPerson(p, kTeal);
    p.setPen(QPen(kDeepBlue, 1.4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(19, 14, 12, 16), 2, 2);
    QPainterPath arrow;
    arrow.moveTo(14, 22);
    arrow.lineTo(26, 22);
    p.setPen(QPen(kAmber.darker(120), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arrow);
    QPolygonF head{QPointF(23, 18.5), QPointF(28, 22), QPointF(23, 25.5)};
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber.darker(120));
    p.drawPolygon(head);
    p.end();
    return image;
}

// Forgotten password: a key with a question mark.
QImage DrawForgottenPicture(int size)
{
    QPainter p;
    QImage image = Canvas(size, p);
    p.setPen(QPen(kAmber.darker(170), 1.4));
    p.setBrush(kAmber);
    p.drawEllipse(QRectF(3, 12, 12, 12));
    p.drawRect(QRectF(14, 16.5, 15, 3.5));
    p.drawRect(QRectF(23, 20, 3, 4));
    p.drawRect(QRectF(18, 20, 3, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6.5, 15.5, 5, 5));
    QFont mark(QStringLiteral("DejaVu Sans"));
    mark.setPixelSize(14);
    mark.setBold(true);
    p.setFont(mark);
    p.setPen(kDeepBlue);
    p.drawText(QRectF(16, 0, 14, 16), Qt::AlignCenter, QStringLiteral("?"));
    p.end();
    return image;
}

// New account: a person with a plus sign.
QImage DrawNewAccountPicture(int size)
{
    QPainter p;
    QImage image = Canvas(size, p);
    DrawPerson(p, kDeepBlue.lighter(150));
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(18, 16, 13, 13));
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24.5, 19), QPointF(24.5, 26));
    p.drawLine(QPointF(21, 22.5), QPointF(28, 22.5));
    p.end();
    return image;
}

} // namespace

QList<Drawing> LoginButtonDrawings()
{
    return {
        {QStringLiteral("login/login.png"), [] { return DrawLoginPicture(32); }},
        {QStringLiteral("login/forgotten.png"), [] { return DrawForgottenPicture(24); }},
        {QStringLiteral("login/newaccount.png"), [] { return DrawNewAccountPicture(24); }},
    };
}

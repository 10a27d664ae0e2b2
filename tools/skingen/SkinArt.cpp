#include "SkinArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

const QColor kKey(255, 0, 255);
const QColor kCaptionTop(46, 96, 172);
const QColor kCaptionBottom(22, 56, 118);
const QColor kIdleTop(150, 160, 178);
const QColor kIdleBottom(118, 128, 146);
const QColor kEdge(16, 36, 78);
const QColor kIdleEdge(86, 94, 110);
const QColor kFace(232, 238, 246);
const QColor kFaceLow(206, 216, 230);
const QColor kLine(120, 138, 168);
const QColor kTeal(24, 160, 170);
const QColor kInk(28, 40, 64);
const QColor kGreyInk(150, 156, 168);

// A strip of `count` frames of w × h, side by side (or stacked), each drawn on a magenta ground
// by draw(painter, frame rectangle, frame index).
using FrameDrawer = std::function<void(QPainter&, const QRect&, int)>;
QImage Strip(int w, int h, int count, bool stacked, const FrameDrawer& draw)
{
    QImage image(stacked ? w : w * count, stacked ? h * count : h, QImage::Format_RGB32);
    image.fill(kKey);
    QPainter p(&image);
    for (int k = 0; k < count; ++k) {
        const QRect frame(stacked ? 0 : k * w, stacked ? k * h : 0, w, h);
        p.save();
        p.setClipRect(frame);
        draw(p, frame, k);
        p.restore();
    }
    return image;
}

QLinearGradient Vertical(const QRect& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QLinearGradient Horizontal(const QRect& r, const QColor& left, const QColor& right)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    return g;
}

// A filled rounded box with a one-pixel outline; corners outside it stay magenta.
void RoundBox(QPainter& p, const QRect& r, int radius, const QBrush& fill, const QColor& outline)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(outline);
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0, 0, -1, -1), radius, radius);
}

void Glyph(QPainter& p, const QColor& colour, qreal width, const std::function<void(QPainterPath&)>& shape)
{
    QPainterPath path;
    shape(path);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// Caption colours: frame 0 active, 1 inactive.
QColor CaptionTop(int frame) { return frame == 0 ? kCaptionTop : kIdleTop; }
QColor CaptionBottom(int frame) { return frame == 0 ? kCaptionBottom : kIdleBottom; }
QColor FrameEdge(int frame) { return frame == 0 ? kEdge : kIdleEdge; }

constexpr int kCaption = 23;
constexpr int kBorder = 4;

QImage DrawTop()
{
    return Strip(96, kCaption, 2, true, [](QPainter& p, const QRect& r, int k) {
        p.fillRect(r, Vertical(r, CaptionTop(k), CaptionBottom(k)));
        p.setPen(FrameEdge(k));
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.setPen(CaptionTop(k).lighter(130));
        p.drawLine(r.left(), r.top() + 1, r.right(), r.top() + 1);
        p.setPen(FrameEdge(k));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    });
}

// The left border; the right one is its mirror image (MirrorFrames).
QImage DrawLeft()
{
    constexpr int h = 64;
    return Strip(kBorder, h, 2, false, [](QPainter& p, const QRect& r, int k) {
        const QRect caption(r.left(), 0, kBorder, kCaption);
        p.fillRect(caption, Vertical(caption, CaptionTop(k), CaptionBottom(k)));
        const QRect side(r.left(), kCaption, kBorder, h - kCaption);
        p.fillRect(side, Horizontal(side, CaptionBottom(k), CaptionTop(k).lighter(115)));
        p.setPen(FrameEdge(k));
        p.drawLine(r.left(), 0, r.left(), h - 1);
        p.drawLine(r.left(), h - 1, r.right(), h - 1);
        p.drawLine(r.left(), 0, r.right(), 0);
        p.setPen(CaptionTop(k).lighter(130));
        p.drawLine(r.left() + 1, 1, r.right(), 1);
        // A rounded outer corner at the top.
        for (int y = 0; y < kBorder; ++y)
            for (int x = 0; x < kBorder; ++x)
                if ((3.5 - x) * (3.5 - x) + (3.5 - y) * (3.5 - y) > 16)
                    p.fillRect(r.left() + x, y, 1, 1, kKey);
    });
}

// Each of the side-by-side frames of `strip` mirrored where it stands: mirroring the whole strip
// would also swap the active and the inactive frame.
QImage MirrorFrames(const QImage& strip, int count)
{
    const int w = strip.width() / count;
    QImage mirrored(strip.size(), strip.format());
    QPainter p(&mirrored);
    for (int k = 0; k < count; ++k)
        p.drawImage(k * w, 0, strip.copy(k * w, 0, w, strip.height()).mirrored(true, false));
    return mirrored;
}

QImage DrawBottom()
{
    return Strip(64, kBorder, 2, true, [](QPainter& p, const QRect& r, int k) {
        p.fillRect(r, Vertical(r, CaptionTop(k).lighter(115), CaptionBottom(k)));
        p.setPen(FrameEdge(k));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    });
}

QImage DrawTextBack()
{
    return Strip(32, kCaption, 2, true, [](QPainter& p, const QRect& r, int k) {
        const QRect pill = r.adjusted(0, 4, 0, -4);
        const QColor top = CaptionTop(k).lighter(125);
        RoundBox(p, pill, 6, Vertical(pill, top, CaptionTop(k)), CaptionBottom(k).darker(115));
    });
}

// Caption buttons: frames normal, pressed, hot, inactive.
QImage CaptionButton(const QColor& base, const std::function<void(QPainterPath&, const QRectF&)>& glyph)
{
    return Strip(17, 17, 4, false, [&](QPainter& p, const QRect& r, int k) {
        const QColor colours[] = {base, base.darker(140), base.lighter(135), kIdleTop.lighter(110)};
        const QColor c = colours[k];
        RoundBox(p, r, 4, Vertical(r, c.lighter(120), c), k == 3 ? kIdleEdge : kEdge);
        const QRectF box = QRectF(r).adjusted(5, 5, -5, -5);
        Glyph(p, k == 3 ? QColor(236, 238, 242) : Qt::white, 1.6,
              [&](QPainterPath& path) { glyph(path, box.translated(k == 1 ? 0.5 : 0, k == 1 ? 0.5 : 0)); });
    });
}

QImage DrawMenuBar()
{
    return Strip(40, 20, 2, true, [](QPainter& p, const QRect& r, int k) {
        p.fillRect(r, Vertical(r, k == 0 ? kFace : kFace.darker(104), k == 0 ? kFaceLow : kFaceLow.darker(104)));
        p.setPen(kLine);
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    });
}

// Push buttons: normal, pressed, disabled, hot or focused, default.
QImage DrawButtons()
{
    return Strip(24, 22, 5, false, [](QPainter& p, const QRect& r, int k) {
        const QBrush fills[] = {Vertical(r, Qt::white, kFaceLow), Vertical(r, kFaceLow, kFace),
                                QBrush(kFace), Vertical(r, Qt::white, QColor(214, 236, 240)),
                                Vertical(r, Qt::white, kFaceLow)};
        const QColor outlines[] = {kLine, kLine.darker(130), kFaceLow.darker(110), kTeal, kCaptionTop};
        RoundBox(p, r, 3, fills[k], outlines[k]);
        if (k == 4) {
            p.setPen(kCaptionTop.lighter(140));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(r.adjusted(1, 1, -2, -2), 2, 2);
        }
    });
}

// Check boxes and radio buttons, 13 pixels, in rows of four (normal, hot, pressed, disabled):
// unchecked, checked, indeterminate.
QImage DrawToggles(bool radio)
{
    return Strip(13, 13, 12, false, [radio](QPainter& p, const QRect& r, int k) {
        const int state = k % 4;
        const int mark = k / 4;
        const QColor fills[] = {Qt::white, QColor(226, 244, 246), kFaceLow, kFace};
        const QColor outline = state == 3 ? kGreyInk : (state == 1 ? kTeal : kLine.darker(120));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(outline);
        p.setBrush(fills[state]);
        if (radio)
            p.drawEllipse(r.adjusted(0, 0, -1, -1));
        else
            p.drawRect(r.adjusted(0, 0, -1, -1));
        const QColor ink = state == 3 ? kGreyInk : kCaptionBottom;
        if (mark == 2) {
            // Neither on nor off: a bar across the middle.
            p.fillRect(QRect(r.left() + 3, r.top() + 5, 7, 3), ink);
        } else if (mark == 1 && radio) {
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QRectF(r).adjusted(3.5, 3.5, -3.5, -3.5));
        } else if (mark == 1) {
            Glyph(p, ink, 2.0, [&r](QPainterPath& path) {
                path.moveTo(r.left() + 3, r.top() + 6.5);
                path.lineTo(r.left() + 5.5, r.top() + 9);
                path.lineTo(r.left() + 10, r.top() + 3.5);
            });
        }
    });
}

QImage DrawGroupEdge()
{
    return Strip(24, 24, 2, false, [](QPainter& p, const QRect& r, int k) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(k == 0 ? kLine : kFaceLow.darker(115));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0, 0, -1, -1), 5, 5);
        p.setPen(Qt::white);
        p.drawRoundedRect(r.adjusted(1, 1, -2, -2), 4, 4);
    });
}

QImage DrawGroupLabel()
{
    return Strip(32, 18, 1, false, [](QPainter& p, const QRect& r, int) {
        RoundBox(p, r, 8, Vertical(r, kCaptionTop.lighter(160), kCaptionTop.lighter(135)), kLine);
    });
}

// The drop-down button of a combo box: normal, hot, pressed, disabled.
QImage DrawComboButton()
{
    return Strip(17, 20, 4, false, [](QPainter& p, const QRect& r, int k) {
        const QColor tops[] = {Qt::white, QColor(226, 244, 246), kFaceLow, kFace};
        p.fillRect(r, Vertical(r, tops[k], kFaceLow));
        p.setPen(kLine);
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        const QPointF c = QRectF(r).center();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(k == 3 ? kGreyInk : kInk);
        p.drawPolygon(QPolygonF({c + QPointF(-4, -2), c + QPointF(4, -2), c + QPointF(0, 2.5)}));
    });
}

// A sunken edge around edits and lists: normal, hot, focused, disabled; the middle stays clear.
QImage DrawSunkEdge()
{
    return Strip(12, 12, 4, false, [](QPainter& p, const QRect& r, int k) {
        const QColor outer[] = {kLine, kTeal, kCaptionTop, kFaceLow.darker(110)};
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(outer[k]);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(k == 3 ? kFace : Qt::white);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    });
}

QImage DrawProgress()
{
    return Strip(24, 14, 2, false, [](QPainter& p, const QRect& r, int k) {
        const QBrush fill = k == 0 ? QBrush(Vertical(r, kFaceLow, Qt::white)) : QBrush(Horizontal(r, kFaceLow, Qt::white));
        RoundBox(p, r, 3, fill, kLine);
    });
}

QImage DrawChunk()
{
    return Strip(16, 10, 2, false, [](QPainter& p, const QRect& r, int k) {
        p.fillRect(r, k == 0 ? QBrush(Vertical(r, kTeal.lighter(140), kTeal)) : QBrush(Horizontal(r, kTeal.lighter(140), kTeal)));
    });
}

// Scroll-bar parts: arrows up, down, left, right in states normal, hot, pressed, disabled
// (frames 1-16), then the size grip and the track faces (frames 17-23).
QImage DrawScrollbar()
{
    return Strip(17, 17, 23, false, [](QPainter& p, const QRect& r, int k) {
        if (k >= 16) {
            p.fillRect(r, Vertical(r, kFace, kFaceLow));
            if (k == 16) {
                p.setPen(kLine);
                for (int i = 4; i < 16; i += 4)
                    p.drawLine(r.left() + i, r.bottom() - 1, r.right() - 1, r.top() + i);
            }
            return;
        }
        const int direction = k / 4;
        const int state = k % 4;
        const QColor tops[] = {Qt::white, QColor(226, 244, 246), kFaceLow, kFace};
        RoundBox(p, r, 3, Vertical(r, tops[state], kFaceLow), state == 1 ? kTeal : kLine);
        const QPointF c = QRectF(r).center() + (state == 2 ? QPointF(0.5, 0.5) : QPointF());
        const QPointF tips[4][3] = {{{-4, 2}, {4, 2}, {0, -2.5}},
                                    {{-4, -2}, {4, -2}, {0, 2.5}},
                                    {{2, -4}, {2, 4}, {-2.5, 0}},
                                    {{-2, -4}, {-2, 4}, {2.5, 0}}};
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(state == 3 ? kGreyInk : kInk);
        p.drawPolygon(QPolygonF({c + tips[direction][0], c + tips[direction][1], c + tips[direction][2]}));
    });
}

// Scroll-bar tracks: normal, hot, pressed, disabled.
QImage DrawTrack(bool horizontal)
{
    const int w = horizontal ? 32 : 17, h = horizontal ? 17 : 32;
    return Strip(w, h, 4, false, [horizontal](QPainter& p, const QRect& r, int k) {
        const QColor shades[] = {QColor(238, 242, 248), QColor(230, 240, 246), kFaceLow, kFace};
        p.fillRect(r, horizontal ? QBrush(Vertical(r, shades[k].darker(104), shades[k]))
                                 : QBrush(Horizontal(r, shades[k].darker(104), shades[k])));
    });
}

// Scroll-bar thumbs: normal, hot, pressed, with a grip in the middle.
QImage DrawThumb(bool horizontal)
{
    const int w = horizontal ? 24 : 17, h = horizontal ? 17 : 24;
    return Strip(w, h, 3, false, [horizontal](QPainter& p, const QRect& r, int k) {
        const QColor bases[] = {QColor(176, 196, 226), QColor(150, 204, 212), QColor(120, 150, 196)};
        const QRect body = r.adjusted(1, 1, -1, -1);
        RoundBox(p, body, 4,
                 horizontal ? QBrush(Vertical(body, bases[k].lighter(115), bases[k]))
                            : QBrush(Horizontal(body, bases[k].lighter(115), bases[k])),
                 kLine.darker(110));
        p.setPen(kInk);
        const QPoint c = r.center();
        for (int i = -2; i <= 2; i += 2) {
            if (horizontal)
                p.drawLine(c.x() + i, c.y() - 3, c.x() + i, c.y() + 3);
            else
                p.drawLine(c.x() - 3, c.y() + i, c.x() + 3, c.y() + i);
        }
    });
}

// Toolbar buttons: normal, hot, pressed, disabled, checked.
QImage DrawToolbar()
{
    return Strip(24, 24, 5, false, [](QPainter& p, const QRect& r, int k) {
        if (k == 0 || k == 3) {
            p.fillRect(r, Vertical(r, kFace, kFaceLow));
            return;
        }
        const QColor fills[] = {kFace, QColor(226, 244, 246), kFaceLow, kFace, QColor(214, 226, 244)};
        RoundBox(p, r, 3, Vertical(r, Qt::white, fills[k]), k == 1 ? kTeal : kLine);
    });
}

// Tabs: normal, hot, selected, disabled, focused.
QImage DrawTabs()
{
    return Strip(32, 22, 5, false, [](QPainter& p, const QRect& r, int k) {
        const QColor tops[] = {kFace, QColor(236, 248, 250), Qt::white, kFace, Qt::white};
        const QRect tab = r.adjusted(0, k == 2 || k == 4 ? 0 : 2, 0, 4);
        RoundBox(p, tab, 4, Vertical(tab, tops[k], k == 2 || k == 4 ? Qt::white : kFaceLow),
                 k == 4 ? kTeal : kLine);
        if (k == 2 || k == 4) {
            p.setPen(k == 4 ? kTeal : kCaptionTop);
            p.drawLine(r.left() + 3, r.top() + 1, r.right() - 3, r.top() + 1);
        }
    });
}

QImage DrawTabBorder()
{
    return Strip(24, 24, 1, false, [](QPainter& p, const QRect& r, int) {
        p.fillRect(r, Qt::white);
        p.setPen(kLine);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    });
}

} // namespace

QList<SkinPicture> DrawSkinPictures()
{
    const QImage left = DrawLeft();
    const auto cross = [](QPainterPath& path, const QRectF& b) {
        path.moveTo(b.topLeft());
        path.lineTo(b.bottomRight());
        path.moveTo(b.topRight());
        path.lineTo(b.bottomLeft());
    };
    const auto square = [](QPainterPath& path, const QRectF& b) {
        path.addRect(b);
        path.moveTo(b.left(), b.top() + 1);
        path.lineTo(b.right(), b.top() + 1);
    };
    // A window in front of another: what a maximised window goes back to. Two windows need a
    // little more room than one.
    const auto restore = [](QPainterPath& path, const QRectF& glyphBox) {
        const QRectF b = glyphBox.adjusted(-1, -1, 1, 1);
        const qreal step = 3;
        const QRectF front(b.left(), b.top() + step, b.width() - step, b.height() - step);
        path.addRect(front);
        path.moveTo(front.left(), front.top() + 1);
        path.lineTo(front.right(), front.top() + 1);
        path.moveTo(b.left() + step, front.top());
        path.lineTo(b.left() + step, b.top());
        path.lineTo(b.right(), b.top());
        path.lineTo(b.right(), front.bottom() - step);
        path.lineTo(front.right(), front.bottom() - step);
    };
    const auto bar = [](QPainterPath& path, const QRectF& b) {
        path.moveTo(b.left(), b.bottom());
        path.lineTo(b.right(), b.bottom());
    };
    return {
        {QStringLiteral("top.bmp"), DrawTop()},
        {QStringLiteral("left.bmp"), left},
        {QStringLiteral("right.bmp"), MirrorFrames(left, 2)},
        {QStringLiteral("bottom.bmp"), DrawBottom()},
        {QStringLiteral("textback.bmp"), DrawTextBack()},
        {QStringLiteral("close.bmp"), CaptionButton(QColor(200, 70, 64), cross)},
        {QStringLiteral("maximize.bmp"), CaptionButton(kCaptionTop.lighter(125), square)},
        {QStringLiteral("restore.bmp"), CaptionButton(kCaptionTop.lighter(125), restore)},
        {QStringLiteral("minimize.bmp"), CaptionButton(kCaptionTop.lighter(125), bar)},
        {QStringLiteral("menubar.bmp"), DrawMenuBar()},
        {QStringLiteral("button.bmp"), DrawButtons()},
        {QStringLiteral("check.bmp"), DrawToggles(false)},
        {QStringLiteral("radio.bmp"), DrawToggles(true)},
        {QStringLiteral("groupedge.bmp"), DrawGroupEdge()},
        {QStringLiteral("grouplabel.bmp"), DrawGroupLabel()},
        {QStringLiteral("combo.bmp"), DrawComboButton()},
        {QStringLiteral("sunkedge.bmp"), DrawSunkEdge()},
        {QStringLiteral("progress.bmp"), DrawProgress()},
        {QStringLiteral("chunk.bmp"), DrawChunk()},
        {QStringLiteral("scrollbar.bmp"), DrawScrollbar()},
        {QStringLiteral("hscroll.bmp"), DrawTrack(true)},
        {QStringLiteral("vscroll.bmp"), DrawTrack(false)},
        {QStringLiteral("hthumb.bmp"), DrawThumb(true)},
        {QStringLiteral("vthumb.bmp"), DrawThumb(false)},
        {QStringLiteral("toolbar.bmp"), DrawToolbar()},
        {QStringLiteral("tabs.bmp"), DrawTabs()},
        {QStringLiteral("tabborder.bmp"), DrawTabBorder()},
    };
}

QImage DrawMenuGlyphs()
{
    QImage image(64, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const auto cell = [](int i) { return QRectF(i * 16 + 4.5, 4.5, 7, 7); };
    // Restore: two overlapping windows.
    Glyph(p, kInk, 1.0, [&](QPainterPath& path) {
        const QRectF b = cell(0);
        path.addRect(b.adjusted(2, 0, 1, -2));
        path.addRect(b.adjusted(0, 2, -2, 1));
    });
    // Maximise: one window with a thick top.
    Glyph(p, kInk, 1.0, [&](QPainterPath& path) {
        const QRectF b = cell(1);
        path.addRect(b);
        path.moveTo(b.left(), b.top() + 1);
        path.lineTo(b.right(), b.top() + 1);
    });
    // Minimise: a bar at the bottom.
    Glyph(p, kInk, 2.0, [&](QPainterPath& path) {
        const QRectF b = cell(2);
        path.moveTo(b.left(), b.bottom());
        path.lineTo(b.right(), b.bottom());
    });
    // Close: a cross.
    Glyph(p, kInk, 1.5, [&](QPainterPath& path) {
        const QRectF b = cell(3);
        path.moveTo(b.topLeft());
        path.lineTo(b.bottomRight());
        path.moveTo(b.topRight());
        path.lineTo(b.bottomLeft());
    });
    return image;
}

#include "SkinBitButton.h"
#include "ControlProperties.h"
#include "ImageOperations.h"
#include "SkinControlPaint.h"
#include "SkinData.h"
#include "SkinEvents.h"

#include "framework/Canvas.h"

#include <QAbstractButton>
#include <QPainter>
#include <QToolButton>

namespace {

// A glyph in shades of grey, keeping its transparency.
QImage GreyGlyph(const QImage& glyph)
{
    if (!glyph.hasAlphaChannel())
        return GreyscaleImage(glyph);
    QImage grey = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int v = (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) / 3;
            row[x] = qRgba(v, v, v, qAlpha(row[x]));
        }
    }
    return grey;
}

TButtonLayout LayoutNamed(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == u"blglyphright")
        return blGlyphRight;
    if (lower == u"blglyphtop")
        return blGlyphTop;
    if (lower == u"blglyphbottom")
        return blGlyphBottom;
    return blGlyphLeft;
}

} // namespace

TGlyphPlacement PlaceGlyphAndText(const QRect& client, const QSize& glyph, const QSize& text, TButtonLayout layout,
                                  int margin, int spacing)
{
    const bool across = layout == blGlyphLeft || layout == blGlyphRight;
    const int room = across ? client.width() : client.height();
    const int glyphLength = across ? glyph.width() : glyph.height();
    const int textLength = across ? text.width() : text.height();
    if (glyph.isEmpty() || text.isEmpty())
        spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = (room - glyphLength - textLength) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (room - glyphLength - spacing - textLength + 1) / 2;
    } else if (spacing == -1) {
        spacing = (room - margin - glyphLength - textLength) / 2;
    }
    int glyphAt = margin;
    int textAt = margin + glyphLength + spacing;
    if (layout == blGlyphRight || layout == blGlyphBottom) {
        glyphAt = room - margin - glyphLength;
        textAt = glyphAt - spacing - textLength;
    }
    // Across the other way both are centred.
    TGlyphPlacement placed;
    if (across) {
        placed.glyph = QRect(client.left() + glyphAt, client.top() + (client.height() - glyph.height() + 1) / 2,
                             glyph.width(), glyph.height());
        placed.text = QRect(client.left() + textAt, client.top() + (client.height() - text.height() + 1) / 2,
                            text.width(), text.height());
    } else {
        placed.glyph = QRect(client.left() + (client.width() - glyph.width() + 1) / 2, client.top() + glyphAt,
                             glyph.width(), glyph.height());
        placed.text = QRect(client.left() + (client.width() - text.width() + 1) / 2, client.top() + textAt,
                            text.width(), text.height());
    }
    return placed;
}

TSkinBitButton::TSkinBitButton(QWidget* control, TSkinnerKind kind) : TSkinButton(control, kind)
{
}

int TSkinBitButton::ButtonFrame() const
{
    if (!Control()->isEnabled())
        return 3;
    if (IsPressed())
        return 2;
    if (Control()->hasFocus() || IsHot())
        return 4;
    if (ReadStringProperty(Control(), "Default") == u"true")
        return 5;
    return 1;
}

QImage TSkinBitButton::ControlGlyph() const
{
    const QVariant glyph = ReadProperty(Control(), "Glyph");
    if (glyph.canConvert<QImage>() && !glyph.value<QImage>().isNull())
        return glyph.value<QImage>();
    if (const auto* button = qobject_cast<const QAbstractButton*>(Control()); button && !button->icon().isNull())
        return button->icon().pixmap(button->iconSize()).toImage();
    return {};
}

QImage TSkinBitButton::StateGlyph() const
{
    const QImage glyph = ControlGlyph();
    int frame = 1;
    if (ReadOrdinalProperty(Control(), "NumGlyphs") == 4) {
        if (!Control()->isEnabled())
            frame = 2;
        else if (IsPressed())
            frame = 3;
    }
    const int count = std::max(ReadOrdinalProperty(Control(), "NumGlyphs"), 1);
    const QImage shown = TransparentGlyph(GlyphFrame(glyph, count, frame));
    return Control()->isEnabled() ? shown : GreyGlyph(shown);
}

TButtonLayout TSkinBitButton::GlyphLayout() const
{
    return LayoutNamed(ReadStringProperty(Control(), "Layout"));
}

int TSkinBitButton::GlyphMargin() const
{
    // Centred alignment centres glyph and caption as one block.
    if (ReadStringProperty(Control(), "Alignment").toLower() == u"tacenter")
        return -1;
    return ReadOrdinalProperty(Control(), "Margin");
}

int TSkinBitButton::GlyphSpacing() const
{
    return ReadOrdinalProperty(Control(), "Spacing");
}

void TSkinBitButton::PaintContent(QPainter& painter, const QRect& rect, int frame) const
{
    const QImage glyph = StateGlyph();
    const QString caption = Caption();
    TCanvas canvas(&painter);
    canvas.Font = Control()->font();
    canvas.FontColor = FromQColor(CaptionColour(frame));
    canvas.BrushStyle = bsClear;
    TRect measured = TRect::FromQRect(rect);
    if (!caption.isEmpty())
        canvas.DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
    const QSize textSize = caption.isEmpty() ? QSize() : QSize(measured.Width(), measured.Height());
    const TGlyphPlacement placed =
        PlaceGlyphAndText(rect, glyph.size(), textSize, GlyphLayout(), GlyphMargin(), GlyphSpacing());
    if (!glyph.isNull())
        painter.drawImage(placed.glyph.topLeft(), glyph);
    if (!caption.isEmpty()) {
        TRect text = TRect::FromQRect(placed.text);
        canvas.DrawText(caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
    }
}

TSkinSpeedButton::TSkinSpeedButton(QWidget* control) : TSkinBitButton(control, TSkinnerKind::SpeedButton)
{
}

int TSkinSpeedButton::ButtonFrame() const
{
    const auto* button = qobject_cast<const QAbstractButton*>(Control());
    if (!Control()->isEnabled())
        return 3;
    if (button && (button->isDown() || button->isChecked()))
        return 2;
    if (IsHot())
        return 4;
    return 1;
}

bool TSkinSpeedButton::BeforeMessage(QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        if (!HasButtonsPicture())
            return true;
        QPainter painter(Control());
        PaintFrame(painter);
        return false;
    }
    if (TSkinMessage::Is(event, kControlMouseLeaveMessage)) {
        AfterMessage(event);
        return false;
    }
    // The press and the click stay the button's own: the push button's handling is skipped.
    return TSkinControl::BeforeMessage(event); // NOLINT(bugprone-parent-virtual-call)
}

void TSkinSpeedButton::AfterMessage(QEvent* event)
{
    if (event->type() == QEvent::Enter && Control()->isEnabled()) {
        SetState(stHot, true);
        Repaint();
        BecomeHotControl();
    } else if (event->type() == QEvent::Leave || TSkinMessage::Is(event, kControlMouseLeaveMessage)) {
        SetState(stHot, false);
        StopBeingHotControl();
        if (ReadOrdinalProperty(Control(), "Flat"))
            Repaint();
    } else {
        TSkinControl::AfterMessage(event); // NOLINT(bugprone-parent-virtual-call): nor its hot state
    }
}

QImage TSkinSpeedButton::StateGlyph() const
{
    const QImage glyph = ControlGlyph();
    const int count = std::max(ReadOrdinalProperty(Control(), "NumGlyphs"), 1);
    int frame = 1;
    if (!Control()->isEnabled() && count >= 2)
        frame = 2;
    else if (ButtonFrame() == 2 && count >= 3)
        frame = 3;
    const QImage shown = TransparentGlyph(GlyphFrame(glyph, count, frame));
    // Without a disabled frame of its own the glyph is greyed.
    return !Control()->isEnabled() && count < 2 ? GreyGlyph(shown) : shown;
}

// A tool button without the speed button's properties is laid out as the toolkit lays it out.
TButtonLayout TSkinSpeedButton::GlyphLayout() const
{
    if (ReadProperty(Control(), "Layout").isValid())
        return TSkinBitButton::GlyphLayout();
    const auto* tool = qobject_cast<const QToolButton*>(Control());
    return tool && tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon ? blGlyphTop : blGlyphLeft;
}

int TSkinSpeedButton::GlyphMargin() const
{
    const QVariant margin = ReadProperty(Control(), "Margin");
    return margin.isValid() ? margin.toInt() : -1;
}

int TSkinSpeedButton::GlyphSpacing() const
{
    const QVariant spacing = ReadProperty(Control(), "Spacing");
    return spacing.isValid() ? spacing.toInt() : 4;
}

QColor TSkinSpeedButton::CaptionColour(int frame) const
{
    if (!Control()->isEnabled())
        return ToQColor(ColorToRGB(clBtnShadow));
    const TDataSkinButton& buttons = *Elements().Buttons;
    if (frame == 2 && buttons.PressedColour2Given)
        return ToQColor(buttons.PressedColour2);
    if (frame == 4 && buttons.MouseOverColour2Given)
        return ToQColor(buttons.MouseOverColour2);
    if (frame == 1 && buttons.NormalColour2Given)
        return ToQColor(buttons.NormalColour2);
    return ToQColor(Elements().Colours.ButtonText);
}

#include "Controls.h"

#include <QIcon>
#include <QPixmap>

namespace {

// The first frame of a glyph of `count` frames, as the toolkit's own icon of the button.
QIcon GlyphIcon(const QImage& glyph, int count)
{
    if (glyph.isNull())
        return QIcon();
    return QIcon(QPixmap::fromImage(glyph.copy(0, 0, glyph.width() / std::max(count, 1), glyph.height())));
}

} // namespace

void TCustomPanel::SetColor(TColor color)
{
    if (color_ == color)
        return;
    color_ = color;
    ColorChanged();
}

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
}

void TSpeedButton::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph;
    UpdateIcon();
}

void TSpeedButton::SetNumGlyphs(int count)
{
    numGlyphs_ = std::max(count, 1);
    UpdateIcon();
}

void TSpeedButton::SetLayout(TButtonLayout layout)
{
    layout_ = layout;
    const bool stacked = layout == blGlyphTop || layout == blGlyphBottom;
    setToolButtonStyle(stacked ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::UpdateIcon()
{
    setIcon(GlyphIcon(glyph_, numGlyphs_));
}

void TBitBtn::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph;
    setIcon(GlyphIcon(glyph_, numGlyphs_));
}

void TBitBtn::SetNumGlyphs(int count)
{
    numGlyphs_ = std::max(count, 1);
    setIcon(GlyphIcon(glyph_, numGlyphs_));
}

#include "Controls.h"

#include <QIcon>
#include <QPixmap>

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
    if (glyph_.isNull()) {
        setIcon(QIcon());
        return;
    }
    const int frameWidth = glyph_.width() / numGlyphs_;
    setIcon(QIcon(QPixmap::fromImage(glyph_.copy(0, 0, frameWidth, glyph_.height()))));
}

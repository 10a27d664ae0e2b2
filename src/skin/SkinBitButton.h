#pragma once
#include "SkinButton.h"

#include "framework/Controls.h"

#include <QImage>
#include <QRect>

// Where a button's glyph and caption go, as the button itself places them: beside, above or
// below each other; margin -1 centres the pair, spacing -1 spreads equal gaps.
struct TGlyphPlacement {
    QRect glyph;
    QRect text;
};
TGlyphPlacement PlaceGlyphAndText(const QRect& client, const QSize& glyph, const QSize& text, TButtonLayout layout,
                                  int margin, int spacing);

// Bit buttons: the push button's skin, a glyph read from the "Glyph" property (four glyph frames:
// normal, disabled, pressed), placed by "Layout", "Margin", "Spacing" and "Alignment".
class TSkinBitButton : public TSkinButton {
    Q_OBJECT

public:
    explicit TSkinBitButton(QWidget* control, TSkinnerKind kind = TSkinnerKind::BitButton);

    int ButtonFrame() const override;

protected:
    void PaintContent(QPainter& painter, const QRect& rect, int frame) const override;
    // The glyph frame for the state, made transparent (and grey when disabled).
    virtual QImage StateGlyph() const;
    virtual TButtonLayout GlyphLayout() const;
    virtual int GlyphMargin() const;
    virtual int GlyphSpacing() const;
    // The glyph of the control: its "Glyph" property, else the toolkit's icon of the button.
    QImage ControlGlyph() const;
};

// Speed buttons (window-less tool buttons): the button keeps its own mouse handling and click;
// the skinner paints instead of it, frame 2 while it is down, its glyph frames 1 normal,
// 2 disabled, 3 down, the caption colours of the description only where it gives them.
class TSkinSpeedButton : public TSkinBitButton {
    Q_OBJECT

public:
    explicit TSkinSpeedButton(QWidget* control);

    int ButtonFrame() const override;

protected:
    bool BeforeMessage(QEvent* event) override;
    void AfterMessage(QEvent* event) override;
    QImage StateGlyph() const override;
    TButtonLayout GlyphLayout() const override;
    int GlyphMargin() const override;
    int GlyphSpacing() const override;
    QColor CaptionColour(int frame) const override;
};

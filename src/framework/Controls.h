#pragma once
// The visual controls of the stored layouts, with the published properties that code reads by
// name (the skin's control painters among them).
#include "Color.h"
#include "Component.h"

#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>

// A panel: a plain control with a background colour. Controls that the layouts store as panels
// derive from it.
class TCustomPanel : public QWidget, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)

public:
    explicit TCustomPanel(QWidget* parent = nullptr) : QWidget(parent) {}

    // The plain control background, seen where nothing else paints.
    TColor Color() const { return color_; }
    void SetColor(TColor color);

protected:
    // A new colour was set; repaints by default.
    virtual void ColorChanged() { update(); }
    QObject* Self() override { return this; }

private:
    TColor color_ = clBtnFace;
};

// Where a button's glyph goes beside its caption. Published in a namespace of its own, so a
// Layout property of any button reads back by its identifiers.
namespace ButtonLayouts {
Q_NAMESPACE
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)
} // namespace ButtonLayouts
using ButtonLayouts::TButtonLayout;
using enum ButtonLayouts::TButtonLayout;

// A flat tool button with a glyph: an image of NumGlyphs equal frames side by side (normal,
// disabled, down), the first of which the button shows as its icon.
class TSpeedButton : public QToolButton, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Margin MEMBER Margin)
    Q_PROPERTY(int Spacing MEMBER Spacing)
    Q_PROPERTY(ButtonLayouts::TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool Flat READ autoRaise WRITE setAutoRaise)
    Q_PROPERTY(bool Down READ isDown WRITE setDown)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    QImage Glyph() const { return glyph_; }
    void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // Pixels from the edge to the glyph (-1: centred) and between glyph and caption (-1: equal gaps).
    int Margin = -1;
    int Spacing = 4;

protected:
    QObject* Self() override { return this; }

private:
    void UpdateIcon();

    QImage glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
};

class TGroupBox : public QGroupBox, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Caption READ title WRITE setTitle)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit TGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}

protected:
    QObject* Self() override { return this; }
};

class TStatusBar : public QStatusBar, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool SizeGrip READ isSizeGripEnabled WRITE setSizeGripEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit TStatusBar(QWidget* parent = nullptr) : QStatusBar(parent) {}

protected:
    QObject* Self() override { return this; }
};

// A push button with a glyph (NumGlyphs equal frames side by side: normal, disabled, pressed,
// held down) placed beside, above or below its caption.
class TBitBtn : public QPushButton, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(ButtonLayouts::TButtonLayout Layout MEMBER Layout)
    Q_PROPERTY(int Margin MEMBER Margin)
    Q_PROPERTY(int Spacing MEMBER Spacing)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit TBitBtn(QWidget* parent = nullptr) : QPushButton(parent) {}

    QImage Glyph() const { return glyph_; }
    void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout = blGlyphLeft;
    // Pixels from the edge to the glyph (-1: glyph and caption centred as a block) and between
    // glyph and caption (-1: equal gaps).
    int Margin = -1;
    int Spacing = 4;

protected:
    QObject* Self() override { return this; }

private:
    QImage glyph_;
    int numGlyphs_ = 1;
};

// A row of tabs below the pages they choose, drawn as tabs hanging down.
class TTabSet : public QTabBar, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TTabSet(QWidget* parent = nullptr) : QTabBar(parent) { setShape(QTabBar::TriangularSouth); }

protected:
    QObject* Self() override { return this; }
};

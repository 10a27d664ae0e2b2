#pragma once
#include "Color.h"
#include "Rect.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

class QPainter;

// Text-drawing flags with the meaning of the desktop's DrawText.
enum TDrawTextFlag : unsigned {
    DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000,
    DT_HIDEPREFIX = 0x100000,
};

enum TBrushStyle { bsSolid, bsClear };

// A font as the layouts give it: a family, a height (negative: character height in pixels;
// positive: cell height) and styles.
QFont MakeFont(const QString& family, int height, bool bold = false, bool italic = false,
               bool underline = false, bool strikeOut = false);
// Points to pixels at 96 dots per inch, rounded as the desktop does.
int PointsToPixels(int points);

// Drawing surface over a QPainter with the desktop's drawing semantics: rectangles exclude their
// right and bottom edges, text is placed by the top of its cell, lines exclude their end point.
class TCanvas {
public:
    explicit TCanvas(QPainter* painter);

    QPainter* Painter() const { return painter_; }

    QFont Font;
    TColor FontColor = clWindowText;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    TColor PenColor = clBlack;
    int PenWidth = 1;

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    // Outline in the pen, inside filled with the brush.
    void Rectangle(const TRect& r);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    QPoint PenPos() const { return penPos_; }
    void Pixel(int x, int y, TColor color);
    void DrawFocusRect(const TRect& r);
    void Draw(int x, int y, const QImage& image);
    void StretchDraw(const TRect& r, const QImage& image);

    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // Draws (or with DT_CALCRECT measures, adjusting r) and returns the text's height.
    int DrawText(const QString& text, TRect& r, unsigned flags);

private:
    QPainter* painter_;
    QPoint penPos_;
};

// Text with "&" prefixes resolved: "&&" is one "&", a single "&" marks the next character.
QString StripPrefix(const QString& text);

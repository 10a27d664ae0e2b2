#pragma once
// The mini-HTML formatter's working parts, shared by its source files.
#include "MiniHTML.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <algorithm>

class TNoticePicture;

namespace minihtml {

constexpr int kBulletIndent = 12;
constexpr int kGradientBands = 64;
// Positions and extents stay within this, whatever the text asks for (indents, picture sizes,
// long runs of glued pieces), so the arithmetic on them cannot overflow. No screen is that wide.
constexpr int kMaxExtent = 1 << 24;

// `x` moved by `by`, kept within ±kMaxExtent.
inline int Advanced(int x, qint64 by)
{
    return int(std::clamp(qint64(x) + std::clamp<qint64>(by, -kMaxExtent, kMaxExtent), qint64(-kMaxExtent),
                          qint64(kMaxExtent)));
}

enum class TParagraphAlign { Left, Right, Center };
enum class TPassMode { Measure, Draw };

// Formatting state that runs on from line to line; the measuring and the drawing pass each keep
// their own copy, so both passes start every line alike.
struct FormatState {
    QFont font;
    TColor color = clBlack;
    TColor background = clNone;
    TColor fontSavedBackground = clNone;      // restored by </FONT>
    TColor paragraphSavedBackground = clNone; // restored by </P>
    TColor highlightSavedColor = clBlack;
    TColor highlightSavedBackground = clNone;
    TColor anchorSavedBackground = clNone;
    bool hoverBackApplied = false;
    bool insideAnchor = false;
    QString href;
    int anchorCount = 0;
    int imageCount = 0;
    int listLevel = 0;
    bool shadow = false;
    bool hidden = false;
    bool errorUnderline = false;
    bool paragraphBackground = false;
    int rotation = 0;
    // The open anchor: where it began and whether the point is over it.
    int anchorStartX = 0;
    int anchorStartLine = -1;
    bool pointInAnchor = false;
    // The focused anchor's rectangle while it is open.
    bool focusOpen = false;
    bool focusContinues = false;
    TRect focusRect;
};

// Per line, reset at its start.
struct LineState {
    int height = 0;
    int ghHeight = 0;
    int subExtra = 0;
    int superExtra = 0;
    int imageOffset = 0;
    bool subscript = false;
    bool superscript = false;
    QString text;
    int extent = 0;
    int position = 0;
    int trailingSpace = 0;
    bool bullet = false;
    bool done = false;
    bool stopped = false;       // a bullet or an image ended the line before its tag
    bool dropRest = false;      // without word wrap, a piece past the edge ends the text
    bool overAnchorText = false;
    bool overAnchorImage = false;
};

class Formatter {
public:
    Formatter(TCanvas& canvas, const TRect& layout, const TMiniHTMLParams& params, TMiniHTMLResults& results)
        : canvas_(canvas), layout_(layout), p_(params), r_(results)
    {
        const QPaintDevice* device = canvas.Painter()->device();
        dpiX_ = device ? device->logicalDpiX() : 96;
        dpiY_ = device ? device->logicalDpiY() : 96;
    }

    bool Run(const QString& text);

private:
    // Both consume from the front of `text`, a view into the prepared text.
    void RunLine(TPassMode mode, bool firstPass, QStringView& text, FormatState& s, LineState& line, const TRect& rect);
    void Piece(TPassMode mode, bool firstPass, QStringView& text, FormatState& s, LineState& line, const TRect& rect);
    void DrawPiece(const QString& piece, int width, const FormatState& s, const LineState& line, const TRect& rect);
    void Tag(TPassMode mode, bool firstPass, const QString& tag, FormatState& s, LineState& line, const TRect& rect);
    void OpenTag(TPassMode mode, bool firstPass, const QString& tag, const QString& up, FormatState& s,
                 LineState& line, const TRect& rect);
    void CloseTag(TPassMode mode, const QString& up, FormatState& s, LineState& line, const TRect& rect);
    void OpenAnchor(TPassMode mode, const QString& tag, FormatState& s, LineState& line);
    void CloseAnchor(TPassMode mode, FormatState& s, LineState& line, const TRect& rect);
    void FontTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s);
    void ParagraphTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s, const LineState& line,
                      const TRect& rect);
    void BodyTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s);
    void Bullet(TPassMode mode, FormatState& s, LineState& line, const TRect& rect);
    void Image(TPassMode mode, bool firstPass, const QString& tag, const QString& up, FormatState& s,
               LineState& line, const TRect& rect);
    void CloseFocusRect(TPassMode mode, FormatState& s, const LineState& line, const TRect& rect);
    // Adds what the second pass put on the line (words, or a picture without) to the plain text
    // and to the open anchor.
    void NoteShown(const QString& words, int width, const FormatState& s, const LineState& line, const TRect& rect);

    int TextBottom(const LineState& line, const TRect& rect) const;
    int Gh(const QFont& font) const { return QFontMetrics(font).height(); }
    int Width(const QFont& font, const QString& piece) const;
    const TNoticePicture* FindPicture(const QString& source);

    TCanvas& canvas_;
    const TRect layout_;
    const TMiniHTMLParams& p_;
    TMiniHTMLResults& r_;
    int dpiX_ = 96, dpiY_ = 96;
    QFont baseFont_;
    TColor baseColor_ = clBlack;
    TColor entryBackground_ = clNone;
    unsigned textFlags_ = 0;
    TParagraphAlign align_ = TParagraphAlign::Left;
    int indent_ = 0;
    int lineIndex_ = 0;
    int imageUnderPoint_ = 0;
    QStringList shownLines_;
};

} // namespace minihtml

#pragma once
#include "framework/Canvas.h"
#include "framework/Color.h"
#include "framework/Rect.h"

#include <QList>
#include <QString>

class TImageList;
class TNoticePictureCache;
class TPictureContainer;

// What DrawMiniHTML is asked to do. The defaults are the values the popup paints with.
struct TMiniHTMLParams {
    TImageList* Images = nullptr;          // source of IDX: images
    int HitX = 0, HitY = 0;                // point to test, layout coordinates
    int FocusAnchor = -1;                  // 0-based anchor with a focus rectangle; -1 none
    int HoverAnchor = -1;                  // 1-based anchor drawn in hover style
    int ShadowOffset = 1;                  // offset of <SHAD> shadows
    bool MeasureOnly = false;              // the second pass of every line also only measures
    bool MeasureAll = false;               // no second pass, no stop at the layout bottom
    bool PrintMode = false;                // images stretched by PrintScale
    bool Selected = false;                 // colour tags and anchors keep the text colour
    bool BlinkOn = true;                   // blinking text is visible
    bool HoverStyle = false;               // only HoverAnchor gets the anchor emphasis
    bool WordWrap = true;                  // break lines between words
    double PrintScale = 1.0;
    TColor AnchorColor = clBlue;
    TColor HoverBackColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = clGray;
    TNoticePictureCache* PictureCache = nullptr; // pictures loaded by address
    TPictureContainer* PictureContainer = nullptr; // pictures by name
    int LineSpacing = 0;                   // pixels added to every line height
};

// An anchor as laid out: where it leads, the words it shows and where they stand.
struct TMiniHTMLAnchor {
    QString Href;
    QString Text;
    TRect Rect;                            // bounds of its words and pictures; empty when none show
};

struct TMiniHTMLResults {
    QString AnchorUnderPoint;              // href of the anchor under the point
    QString FocusAnchorHref;               // href of the FocusAnchor anchor
    int ExtentWidth = 0;                   // widest line without its trailing space
    int ExtentHeight = 0;                  // sum of the line heights
    int AnchorCount = 0;
    int AnchorUnderPointNumber = -1;       // 1-based; -1 when none
    TRect AnchorUnderPointRect;
    // What a reader hears, left out by MeasureAll: the words as laid out, one line of the layout
    // to a line of text, without tags, entities decoded; and the anchors in text order.
    QString PlainText;
    QList<TMiniHTMLAnchor> Anchors;
};

// Lays out a small HTML-like markup in LayoutRect and draws it on the canvas (whose font and
// font colour on entry are the base font), or only measures it, or finds the anchor under
// (HitX, HitY). Returns true when the point is on an anchor. Restores the canvas's font, font
// colour and brush colour.
bool DrawMiniHTML(TCanvas& Canvas, const QString& Text, const TRect& LayoutRect,
                  const TMiniHTMLParams& Params, TMiniHTMLResults& Results);
